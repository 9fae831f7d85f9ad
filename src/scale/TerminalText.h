#pragma once

#include <QString>
#include <QStringView>

// The serial terminal's text with its selection, and the append rules of the
// terminal box: a backspace removes the character before it (a leading one the
// last character already shown), line feeds are dropped and every carriage
// return gets one line feed, and a text grown past 16,000 characters loses its
// head before more is added. The widget only mirrors text().
class TerminalText
{
public:
    static constexpr qsizetype CutThreshold = 16000;
    static constexpr qsizetype CutHead = 1023;

    // AppendTerminalText: appends `data` with the rules above.
    void append(QStringView data);

    const QString &text() const { return m_text; }
    qsizetype selectionStart() const { return m_selectionStart; }
    qsizetype selectionLength() const { return m_selectionLength; }

    void setText(const QString &text);
    void clear() { setText({}); }

private:
    void replaceSelection(const QString &data);

    QString m_text;
    qsizetype m_selectionStart = 0;
    qsizetype m_selectionLength = 0;
};
