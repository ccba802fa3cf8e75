#include "SingleLineValidator.h"

#include <QRegularExpression>
#include <algorithm>

QValidator::State SingleLineValidator::validate(QString& input, int& position) const
{
    // After an insertion the cursor stands at its end, and what follows is
    // the old text after it; what precedes is the old text before, as far as
    // both agree.
    const qsizetype end = std::clamp<qsizetype>(position, 0, input.size());
    const qsizetype after = std::min(input.size() - end, m_accepted.size());
    const qsizetype frontLimit = std::min(end, m_accepted.size() - after);
    qsizetype front = 0;
    while (front < frontLimit && input[front] == m_accepted[front])
        ++front;

    static const QRegularExpression lineBreak(QStringLiteral("[\r\n]"));
    const qsizetype lineEnd = input.indexOf(lineBreak, front);
    if (lineEnd != -1 && lineEnd < end) {
        input.remove(lineEnd, end - lineEnd);
        position = static_cast<int>(lineEnd);
    }
    m_accepted = input;
    return Acceptable;
}
