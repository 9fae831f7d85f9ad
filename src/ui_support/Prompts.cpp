#include "ui_support/Prompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

class DialogPrompts final : public Prompts
{
public:
    std::optional<QString> inputBox(QWidget *parent, const QString &prompt, const QString &title,
                                    const QString &defaultText, QPoint position) override
    {
        QInputDialog dialog(parent);
        dialog.setWindowTitle(title);
        dialog.setLabelText(prompt);
        dialog.setTextValue(defaultText);
        if (!position.isNull())
            dialog.move(position);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.textValue();
    }

    void exclamation(QWidget *parent, const QString &text) override
    {
        QMessageBox::warning(parent, QApplication::applicationDisplayName(), text);
    }
};

Prompts *g_installed = nullptr;

} // namespace

Prompts &Prompts::instance()
{
    static DialogPrompts dialogs;
    return g_installed ? *g_installed : static_cast<Prompts &>(dialogs);
}

void Prompts::install(Prompts *prompts)
{
    g_installed = prompts;
}
