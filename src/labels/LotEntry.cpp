#include "labels/LotEntry.h"

#include "labels/LotText.h"
#include "screens/OnScreenKeyboard.h"
#include "ui_support/Colors.h"
#include "ui_support/Control.h"
#include "ui_support/TwipsGeometry.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// Rows of the keyboard; a key's index is its place in this text.
const QString KeyCaptions = u"1234567890QWERTYUIOPASDFGHJKLZXCVBNM-./_:()+,;"_s;
constexpr int RowLengths[] = {10, 10, 9, 7, 10};
constexpr int BackKey = 99;

QList<KeySpec> lotKeyboard()
{
    constexpr int Width = 1200, Height = 1000, Step = 1320, Left = 240, FirstTop = 2160, RowStep = 1130;
    QList<KeySpec> keys;
    int index = 0;
    for (int row = 0; row < int(std::size(RowLengths)); ++row) {
        const int indent = row == 2 || row == 3 ? Step / 2 : 0;
        for (int column = 0; column < RowLengths[row]; ++column, ++index)
            keys.append({index, KeyCaptions.mid(index, 1), Left + indent + column * Step,
                         FirstTop + row * RowStep, Width, Height});
    }
    keys.append({BackKey, u"Sil"_s, Left + 10 * Step, FirstTop, 14790 + Left - (Left + 10 * Step), Height});
    return keys;
}

} // namespace

LotEntry::LotEntry(QWidget *parent)
    : QObject(parent)
{
    m_frame = new QFrame(parent);
    m_frame->setObjectName(u"PartiFrame"_s);
    m_frame->setAutoFillBackground(true);
    Control::setBackColor(m_frame, 0x5e4b3c);
    TwipsGeometry::place(m_frame, 0, 0, TwipsGeometry::SurfaceWidth, TwipsGeometry::SurfaceHeight);

    auto *title = new QLabel(u" Parti No"_s, m_frame);
    Control::setUp(title, u"PartiLbl"_s, Colors::White, {240, 240, 3600, 900}, 20);
    m_text = new QLineEdit(m_frame);
    m_text->setReadOnly(true);
    m_text->setFocusPolicy(Qt::NoFocus);
    m_text->setMaxLength(LotText::MaxLength + 1); // one over, so the rule's reason is shown
    Control::setUp(m_text, u"PartiTxt"_s, Colors::White, {3960, 240, 11070, 900}, 24);
    m_notice = new QLabel(m_frame);
    m_notice->setWordWrap(true);
    Control::setUp(m_notice, u"PartiNotice"_s, Colors::White, {240, 1200, 14790, 840}, 14);
    Control::setForeColor(m_notice, Colors::Red);

    m_keyboard = new OnScreenKeyboard(u"PartiKey"_s, lotKeyboard(), 20, m_frame);
    connect(m_keyboard, &OnScreenKeyboard::keyClicked, this, &LotEntry::pressKey);

    const auto button = [this](const QString &name, const QString &caption, int color, int left) {
        auto *made = new QPushButton(caption, m_frame);
        Control::setUp(made, name, color, {left, 8000, 4710, 1440}, 18);
        return made;
    };
    connect(button(u"PartiTamam"_s, u"Tamam"_s, Colors::Green, 240), &QPushButton::clicked, this,
            &LotEntry::accept);
    connect(button(u"PartiUretim"_s, u"Ürt. Tarihi"_s, Colors::Yellow, 5280), &QPushButton::clicked,
            this, [this] {
                m_frame->hide();
                emit lotChosen({});
            });
    connect(button(u"PartiVazgec"_s, u"Vazgeç"_s, Colors::Yellow, 10320), &QPushButton::clicked,
            m_frame, &QWidget::hide);
    m_frame->hide();
}

void LotEntry::open(const QString &lot)
{
    m_text->setText(lot);
    m_notice->clear();
    m_frame->show();
    m_frame->raise();
}

bool LotEntry::isOpen() const
{
    return m_frame->isVisible();
}

void LotEntry::close()
{
    m_frame->hide();
}

void LotEntry::pressKey(int index)
{
    QString text = m_text->text();
    if (index == BackKey)
        text.chop(1);
    else
        text += m_keyboard->caption(index);
    m_text->setText(text);
    m_notice->setText(LotText::refusal(text));
}

void LotEntry::accept()
{
    const QString lot = m_text->text();
    if (const QString reason = LotText::refusal(lot); !reason.isEmpty()) {
        m_notice->setText(reason);
        return;
    }
    m_frame->hide();
    emit lotChosen(lot);
}
