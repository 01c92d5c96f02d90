#include "editor/OfferedSearch.h"

#include "page/PageEditSession.h"
#include "text/SearchFold.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>

OfferedSearchModel::OfferedSearchModel(const PageEditSession &page, QObject *parent)
    : QSortFilterProxyModel(parent), m_page(page)
{
    m_filter.rebuild(m_page.offered().entries());
}

void OfferedSearchModel::setSearchText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    applyFilter();
}

void OfferedSearchModel::entriesChanged()
{
    m_filter.rebuild(m_page.offered().entries());
    applyFilter();
}

void OfferedSearchModel::setEntryFilter(std::function<bool(qsizetype)> accepted)
{
    m_entryFilter = std::move(accepted);
    applyFilter();
}

void OfferedSearchModel::applyFilter()
{
    m_accepted.fill(false, m_filter.size());
    for (const qsizetype i : m_filter.matches(m_text))
        m_accepted[i] = !m_entryFilter || m_entryFilter(i);
    invalidateRowsFilter();
}

bool OfferedSearchModel::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    // Rows the entries gained since the last rebuild show until the next one.
    return sourceRow >= m_accepted.size() || m_accepted.at(sourceRow);
}

QVariant OfferedSearchModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::ToolTipRole && index.isValid()) {
        const int row = mapToSource(index).row();
        const QList<OfferedEntry> &entries = m_page.offered().entries();
        if (row >= 0 && row < entries.size() && entries.at(row).entry)
            return offeredEntryDetails(*entries.at(row).entry);
        return QVariant();
    }
    return QSortFilterProxyModel::data(index, role);
}

SearchHighlightDelegate::SearchHighlightDelegate(const OfferedSearchModel &search, QObject *parent)
    : QStyledItemDelegate(parent), m_search(search)
{
}

void SearchHighlightDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    const auto spans = searchSpans(index.data().toString(), m_search.searchText());
    if (spans.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    // The text itself, the matches underlaid in the highlight's light shade and bold.
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    QTextLayout layout(text, opt.font);
    QList<QTextLayout::FormatRange> formats;
    for (const auto &[start, length] : spans) {
        QTextLayout::FormatRange range;
        range.start = int(start);
        range.length = int(length);
        range.format.setFontWeight(QFont::Bold);
        range.format.setBackground(opt.palette.color(QPalette::Highlight).lighter(170));
        range.format.setForeground(opt.palette.color(QPalette::Text));
        formats << range;
    }
    layout.setFormats(formats);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(textRect.width());
    layout.endLayout();
    painter->save();
    painter->setPen(opt.state & QStyle::State_Selected ? opt.palette.color(QPalette::HighlightedText)
                                                        : opt.palette.color(QPalette::Text));
    const qreal y = textRect.top() + (textRect.height() - line.height()) / 2.0;
    layout.draw(painter, QPointF(textRect.left() + 2, y));
    painter->restore();
}
