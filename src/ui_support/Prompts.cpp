#include "ui_support/Prompts.h"

#include "ui_support/GloveSize.h"

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
        GloveSize::fitDialog(&dialog, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.textValue();
    }

    void exclamation(QWidget *parent, const QString &text) override
    {
        QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), text,
                        QMessageBox::Ok, parent);
        GloveSize::fitDialog(&box, parent);
        box.exec();
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
