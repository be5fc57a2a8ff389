#include "qt/control_view.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace qtui {
namespace {

class ListBoxView final : public ControlView {
public:
    ListBoxView(ui::ListBox& list, QWidget* container) : ControlView(list), list_(list) {
        auto* widget = new QListWidget(container);
        QObject::connect(widget, &QListWidget::currentRowChanged, [this](int row) {
            if (attached()) list_.userPick(row);
        });
        adopt(widget);
        show(ui::Change::Items);
    }

protected:
    void show(ui::Change) override {
        auto* widget = static_cast<QListWidget*>(this->widget());
        const QSignalBlocker blocker(widget);
        if (widget->count() != list_.itemCount()) {
            widget->clear();
            for (const std::string& item : list_.items())
                widget->addItem(toQString(item));
        } else {
            for (int i = 0; i < list_.itemCount(); ++i)
                widget->item(i)->setText(toQString(list_.itemText(i)));
        }
        widget->setCurrentRow(list_.selection());
    }

private:
    ui::ListBox& list_;
};

class ChkListBoxView final : public ControlView {
public:
    ChkListBoxView(ui::ChkListBox& list, QWidget* container) : ControlView(list), list_(list) {
        auto* widget = new QListWidget(container);
        QObject::connect(widget, &QListWidget::itemChanged, [this, widget](QListWidgetItem* item) {
            if (!attached()) return;
            list_.userSetTicked(widget->row(item), item->checkState() == Qt::Checked);
            show(ui::Change::Ticks); // a refused tick is taken back
        });
        adopt(widget);
        show(ui::Change::Items);
    }

protected:
    void show(ui::Change change) override {
        auto* widget = static_cast<QListWidget*>(this->widget());
        const QSignalBlocker blocker(widget);
        if (change == ui::Change::Items) {
            widget->clear();
            for (int i = 0; i < list_.itemCount(); ++i) {
                auto* item = new QListWidgetItem(toQString(list_.itemText(i)), widget);
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            }
        }
        for (int i = 0; i < widget->count(); ++i)
            widget->item(i)->setCheckState(list_.itemTicked(i) ? Qt::Checked : Qt::Unchecked);
    }

private:
    ui::ChkListBox& list_;
};

// The rows of a ListView as a table model. It reads the control's cells as they are asked for,
// so a list of a hundred thousand orders costs nothing until it is scrolled to.
class RowsModel final : public QAbstractTableModel {
public:
    RowsModel(ui::ListView& list, QObject* parent)
        : QAbstractTableModel(parent), list_(list), rows_(list.rowCount()) {}

    // Rows come and go in bursts while a handler fills the list; the view learns the new count
    // once the burst is over.
    void reload() {
        beginResetModel();
        rows_ = list_.rowCount();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : list_.columnCount();
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole) return toQString(list_.cellText(index.row(), index.column()));
        if (role == Qt::TextAlignmentRole) return alignment(index.column());
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal) return {};
        if (role == Qt::DisplayRole) return toQString(list_.columnTitle(section));
        if (role == Qt::TextAlignmentRole) return alignment(section);
        return {};
    }

private:
    QVariant alignment(int column) const {
        const auto& columns = list_.definition().columns;
        if (column < 0 || static_cast<std::size_t>(column) >= columns.size()) return {};
        return QVariant::fromValue(
            horizontalAlignment(columns[static_cast<std::size_t>(column)].alignment) |
            Qt::AlignVCenter);
    }

    ui::ListView& list_;
    int rows_;
};

// A row is one line high: a remark keeps its line break in the list, and shows it as a space.
class OneLineDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale& locale) const override {
        if (value.typeId() != QMetaType::QString)
            return QStyledItemDelegate::displayText(value, locale);
        QString text = value.toString();
        text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        return text;
    }
};

class ListViewView final : public ControlView, public QObject {
public:
    ListViewView(ui::ListView& list, QWidget* container) : ControlView(list), list_(list) {
        auto* table = new QTableView(container);
        model_ = new RowsModel(list, table); // the table owns it
        const ui::ControlDef& def = list.definition();
        table->setModel(model_);
        table->setItemDelegate(new OneLineDelegate(table));
        table->setSelectionBehavior(def.fullRowSelect ? QAbstractItemView::SelectRows
                                                      : QAbstractItemView::SelectItems);
        table->setSelectionMode(def.multiSelect ? QAbstractItemView::ExtendedSelection
                                                : QAbstractItemView::SingleSelection);
        table->setShowGrid(def.gridLines);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setWordWrap(false);
        table->verticalHeader()->hide();
        table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        table->verticalHeader()->setDefaultSectionSize(22);
        table->horizontalHeader()->setSectionsClickable(def.clickableHeaders);
        table->horizontalHeader()->setHighlightSections(false);
        table->horizontalHeader()->setStretchLastSection(false);
        for (std::size_t i = 0; i < def.columns.size(); ++i)
            table->setColumnWidth(static_cast<int>(i), def.columns[i].width);
        if (def.showSelectionAlways) {
            // The selection stays as visible when the list loses the focus.
            QPalette palette = table->palette();
            for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
                palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
            table->setPalette(palette);
        }
        table->viewport()->installEventFilter(this);
        QObject::connect(
            table->selectionModel(), &QItemSelectionModel::selectionChanged, [this, table] {
                if (!attached() || syncing_) return;
                std::set<int> rows;
                for (const QModelIndex& index : table->selectionModel()->selectedRows())
                    rows.insert(index.row());
                list_.userSelect(rows);
            });
        adopt(table);
        // The header paints its titles on its viewport, in the viewport's font.
        shareFont(table->horizontalHeader());
        shareFont(table->horizontalHeader()->viewport());
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease && attached()) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                auto* table = static_cast<QTableView*>(widget());
                const QModelIndex index = table->indexAt(mouse->position().toPoint());
                list_.userClickRow(index.isValid() ? index.row() : -1,
                                   modelModifiers(mouse->modifiers()));
            }
        }
        return QObject::eventFilter(watched, event);
    }

protected:
    void show(ui::Change change) override {
        if (change == ui::Change::Rows || change == ui::Change::Cells) {
            if (reloadPending_) return;
            reloadPending_ = true;
            QTimer::singleShot(0, this, [this] {
                reloadPending_ = false;
                model_->reload();
                showSelection();
            });
            return;
        }
        if (change == ui::Change::Selection) showSelection();
    }

private:
    void showSelection() {
        auto* table = static_cast<QTableView*>(widget());
        syncing_ = true;
        QItemSelection selection;
        for (const int row : list_.selectedRows())
            selection.select(model_->index(row, 0),
                             model_->index(row, std::max(0, model_->columnCount({}) - 1)));
        table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
        if (list_.selectedRow() >= 0)
            table->selectionModel()->setCurrentIndex(model_->index(list_.selectedRow(), 0),
                                                     QItemSelectionModel::NoUpdate);
        syncing_ = false;
    }

    ui::ListView& list_;
    RowsModel* model_;
    bool reloadPending_ = false;
    bool syncing_ = false;
};

// Group headers in a column; the open group shows its items below its header.
class OutlookBarView final : public ControlView {
public:
    OutlookBarView(ui::OutlookBar& bar, QWidget* container) : ControlView(bar), bar_(bar) {
        auto* widget = new QFrame(container);
        widget->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        auto* layout = new QVBoxLayout(widget);
        layout->setContentsMargins(1, 1, 1, 1);
        layout->setSpacing(1);
        adopt(widget);
        rebuild();
    }

protected:
    void show(ui::Change change) override {
        if (change == ui::Change::Groups || change == ui::Change::CurrentGroup) rebuild();
    }

private:
    void rebuild() {
        auto* layout = static_cast<QVBoxLayout*>(widget()->layout());
        while (QLayoutItem* item = layout->takeAt(0)) {
            if (QWidget* old = item->widget()) {
                old->hide();
                old->deleteLater();
            }
            delete item;
        }
        bool itemsShown = false;
        for (int g = 0; g < bar_.groupCount(); ++g) {
            auto* header = new QPushButton(toQString(bar_.groupText(g)), widget());
            header->setObjectName(QStringLiteral("outlookGroup"));
            header->setCheckable(true);
            header->setChecked(g == bar_.currentGroup());
            header->setFocusPolicy(Qt::NoFocus);
            header->setMinimumHeight(26);
            // Styled widgets do not inherit their parent's font, so each part is given it.
            shareFont(header);
            QObject::connect(header, &QPushButton::clicked, [this, g] {
                if (attached()) bar_.userChooseGroup(g);
                rebuild(); // a header stays pressed only while its group is open
            });
            layout->addWidget(header);
            if (g == bar_.currentGroup()) {
                layout->addWidget(itemList(), 1);
                itemsShown = true;
            }
        }
        if (!itemsShown) layout->addStretch(1);
    }

    QListWidget* itemList() {
        auto* items = new QListWidget(widget());
        items->setObjectName(QStringLiteral("outlookItems"));
        shareFont(items);
        for (int i = 0; i < bar_.itemCount(); ++i)
            items->addItem(toQString(bar_.itemText(i)));
        items->setCurrentRow(bar_.currentItem());
        QObject::connect(items, &QListWidget::itemClicked, [this, items](QListWidgetItem* item) {
            if (attached()) bar_.userChooseItem(items->row(item));
        });
        return items;
    }

    ui::OutlookBar& bar_;
};

} // namespace

std::unique_ptr<ControlView> makeListView(ui::Control& control, QWidget* container) {
    switch (control.kind()) {
    case ui::ControlKind::ListBox:
        return std::make_unique<ListBoxView>(static_cast<ui::ListBox&>(control), container);
    case ui::ControlKind::ChkListBox:
        return std::make_unique<ChkListBoxView>(static_cast<ui::ChkListBox&>(control), container);
    case ui::ControlKind::ListView:
        return std::make_unique<ListViewView>(static_cast<ui::ListView&>(control), container);
    case ui::ControlKind::OutlookBar:
        return std::make_unique<OutlookBarView>(static_cast<ui::OutlookBar&>(control), container);
    default:
        return nullptr;
    }
}

} // namespace qtui
