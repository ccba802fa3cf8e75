#include "AccessibleNames.h"

#include <QRegularExpression>
#include <QWidget>
#include <optional>

#include "afxres.h"

namespace {

bool IsStatic(const DialogItem& item)
{
    return item.windowClass.IsOrdinal(kClassStatic);
}

bool IsStaticText(const DialogItem& item)
{
    return IsStatic(item) && (item.style & SS_TYPEMASK) != SS_ICON;
}

// Buttons and static texts are read by their own text.
bool HasOwnText(const DialogItem& item)
{
    return item.windowClass.IsOrdinal(kClassButton) || IsStaticText(item);
}

// The static that labels items[control], found as Windows finds it: the
// nearest static before it in template order, unless a tab stop or the start
// of a group comes first (the static then labels that control).
std::optional<std::size_t> LabelOf(const std::vector<DialogItem>& items, std::size_t control)
{
    for (std::size_t i = control; i-- > 0;) {
        if (IsStatic(items[i]))
            return i;
        if (items[i].style & (WS_TABSTOP | WS_GROUP))
            return std::nullopt;
    }
    return std::nullopt;
}

// The label's text as it is read: each "&" marks the next character ("&&" is
// one "&"), except in a static with SS_NOPREFIX, which shows them as they stand.
QString NameFrom(const DialogItem& label)
{
    QString text = QString::fromStdString(label.title.text);
    if (!(label.style & SS_NOPREFIX))
        text.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
    return text;
}

}  // namespace

void AfxNameControlsByTheirLabels(const std::vector<DialogItem>& items, const std::vector<QWidget*>& widgets)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (HasOwnText(items[i]))
            continue;
        // An icon that labels a control names it with nothing a reader could say.
        if (const std::optional<std::size_t> label = LabelOf(items, i); label && IsStaticText(items[*label]))
            widgets[i]->setAccessibleName(NameFrom(items[*label]));
    }
}
