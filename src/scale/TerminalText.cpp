#include "scale/TerminalText.h"

#include <utility>

namespace {
constexpr char16_t Backspace = 8;
constexpr char16_t LineFeed = 10;
constexpr char16_t CarriageReturn = 13;
} // namespace

void TerminalText::setText(const QString &text)
{
    m_text = text;
    m_selectionStart = m_text.size();
    m_selectionLength = 0;
}

void TerminalText::append(QStringView data)
{
    if (m_text.size() > CutThreshold) {
        m_text.remove(0, CutHead);
        // A single huge arrival could leave far more than the threshold;
        // the box never keeps more than that.
        if (m_text.size() > CutThreshold)
            m_text.remove(0, m_text.size() - CutThreshold);
    }
    const qsizetype n = m_text.size();
    m_selectionStart = n;
    m_selectionLength = 0;

    // One pass does what removing "x<BS>" pairs from the front does: each
    // backspace takes back the latest kept character; with none kept it
    // selects the box's last character, so that one is overwritten. Several
    // leading backspaces select that same character.
    QString kept;
    kept.reserve(data.size());
    for (const QChar c : data) {
        if (c != Backspace) {
            kept += c;
        } else if (!kept.isEmpty()) {
            kept.chop(1);
        } else if (n > 0) {
            m_selectionStart = n - 1;
            m_selectionLength = 1;
        }
    }

    // Line ends after the backspaces, as the terminal always did: a line feed
    // is dropped and every carriage return gets exactly one.
    QString lines;
    lines.reserve(kept.size() + kept.count(QChar(CarriageReturn)));
    for (const QChar c : std::as_const(kept)) {
        if (c == LineFeed)
            continue;
        lines += c;
        if (c == CarriageReturn)
            lines += QChar(LineFeed);
    }
    replaceSelection(lines);
}

void TerminalText::replaceSelection(const QString &data)
{
    QString tail = data;
    if (tail.size() > CutThreshold)
        tail = tail.right(CutThreshold);
    m_text.replace(m_selectionStart, m_selectionLength, tail);
    m_selectionStart = m_text.size();
    m_selectionLength = 0;
}
