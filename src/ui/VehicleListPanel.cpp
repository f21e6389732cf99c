// SPDX-License-Identifier: GPL-3.0-or-later
#include "VehicleListPanel.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <unordered_set>

#include "io/LanguageFiles.h"
#include "ui/VehicleListModel.h"

namespace wendrake {

namespace {

// A flag set for the life of a scope.
class Raised {
  public:
    explicit Raised(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~Raised() { flag_ = was_; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

  private:
    bool& flag_;
    bool was_;
};

// A row the program makes current replaces the selection. The view would
// read the keys held at that moment instead: Ctrl+Z held while an undo
// shows its vehicle would add that vehicle to the selection.
class VehicleListView final : public QListView {
  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override {
        if (event == nullptr) {
            return QItemSelectionModel::ClearAndSelect;
        }
        return QListView::selectionCommand(index, event);
    }

    // Every row takes the size of the last: a changed name or mark of one
    // row moves no row unless the last row's size changes. Laying out all
    // 32767 rows again with every key typed into a value would cost more
    // than painting the one row. Many rows changed at once are laid out
    // again, which costs less than measuring each to find what to repaint.
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles) override {
        if (uniformItemSizes() && topLeft.row() == bottomRight.row() &&
            !sampleRowResized(topLeft)) {
            QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
        } else {
            QListView::dataChanged(topLeft, bottomRight, roles);
        }
    }

    void doItemsLayout() override {
        QListView::doItemsLayout();
        laidOutSampleRow_ = sampleRowSize();
    }

  private:
    // Qt measures the last row for the size of all.
    QSize sampleRowSize() const {
        const int rows = model() != nullptr ? model()->rowCount() : 0;
        return rows > 0 ? sizeHintForIndex(model()->index(rows - 1, 0)) : QSize();
    }

    // Rows are as wide as the list, or as the measured row where it is
    // wider: a width within the list's own changes nothing.
    bool sampleRowResized(const QModelIndex& changed) const {
        if (changed.row() != model()->rowCount() - 1) {
            return false;
        }
        const QSize now = sampleRowSize();
        const int room = viewport()->width();
        return now.height() != laidOutSampleRow_.height() ||
               (now.width() != laidOutSampleRow_.width() &&
                std::max(now.width(), laidOutSampleRow_.width()) > room);
    }

    QSize laidOutSampleRow_;
};

}  // namespace

VehicleListPanel::VehicleListPanel(const DocumentSession& session, QWidget* parent)
    : QGroupBox(parent),
      session_(session),
      model_(new VehicleListModel(session, this)),
      filterBox_(new QLineEdit),
      list_(new VehicleListView),
      count_(new QLabel) {
    setObjectName(QStringLiteral("vehicleFrame"));
    filterBox_->setObjectName(QStringLiteral("vehicleFilter"));
    list_->setObjectName(QStringLiteral("vehicleList"));
    count_->setObjectName(QStringLiteral("vehicleCount"));

    filterBox_->setClearButtonEnabled(true);
    filterBox_->installEventFilter(this);

    // Every row as high as the first, and no name measured before it is in
    // view: 32767 rows lay out and filter at once.
    list_->setUniformItemSizes(true);
    list_->setLayoutMode(QListView::SinglePass);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setModel(model_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(filterBox_);
    layout->addWidget(list_, 1);

    connect(filterBox_, &QLineEdit::textChanged, this, &VehicleListPanel::filterChanged);
    // The selection, not the current row: a click makes a row current
    // before it selects it, the keys select it first.
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &VehicleListPanel::selectionChanged);
}

void VehicleListPanel::applyLanguage(const LanguageTable& language) {
    setTitle(languageText(language, 1));
    filterBox_->setPlaceholderText(languageText(language, Text::FilterVehicles));
    model_->setChangedText(languageText(language, Text::VehicleChanged));
    countText_ = languageText(language, Text::VehicleCount);
    showCount();
}

void VehicleListPanel::placeCountIn(QStatusBar* bar) {
    bar->addPermanentWidget(count_);
}

void VehicleListPanel::reload(Filter filter) {
    {
        const Raised quiet(quiet_);
        if (filter == Filter::Cleared) {
            filterBox_->clear();
        }
        model_->reload();
        chosen_.clear();
    }
    list_->scrollToTop();
    showCount();
}

void VehicleListPanel::chooseEntry(int entry) {
    if (model_->rowOfEntry(entry) < 0) {
        filterBox_->clear();
    }
    const int row = model_->rowOfEntry(entry);
    if (row < 0) {
        return;
    }
    const QModelIndex index = model_->index(row, 0);
    list_->setCurrentIndex(index);
    list_->scrollTo(index);
}

void VehicleListPanel::followChange(const SessionChange& change) {
    if (change.has(Change::Opened) || change.has(Change::Closed)) {
        return;  // the list is reloaded
    }
    // A rename or an edit of one record changes its row alone, also one that
    // makes the file saved or unsaved: a row is marked by its record's
    // difference from the file as saved. Saving, reverting or an edit of
    // many may change the marks of any.
    const bool records = change.has(Change::Value | Change::Pairs | Change::List);
    const bool oneRecord = records && change.record >= 0;
    if (change.has(Change::Reverted) || (records && change.record < 0) ||
        (change.has(Change::SavedState) && !oneRecord)) {
        model_->marksChanged();
    } else if (records) {
        model_->entryChanged(session_.document().Autos.entryOfRecord(change.record));
    }
}

void VehicleListPanel::focusFilter() {
    filterBox_->setFocus(Qt::ShortcutFocusReason);
    filterBox_->selectAll();
}

void VehicleListPanel::filterChanged(const QString& text) {
    {
        const Raised quiet(quiet_);
        model_->setFilter(text);
        selectShownRecords();
    }
    showCount();
    emit filterTextChanged(text);
}

QString VehicleListPanel::filterText() const {
    return filterBox_->text();
}

void VehicleListPanel::selectShownRecords() {
    const VehicleList& list = session_.document().Autos;
    std::vector<int> shown = chosen_;
    if (shown.size() < 2) {
        shown = {session_.selected()};
    }
    std::vector<int> rows;
    for (const int record : shown) {
        if (const int row = model_->rowOfEntry(list.entryOfRecord(record)); row >= 0) {
            rows.push_back(row);
        }
    }
    if (rows.empty()) {
        return;
    }
    const QModelIndex first = model_->index(rows.front(), 0);
    list_->setCurrentIndex(first);
    if (rows.size() > 1) {
        // Neighbouring rows as one range: Qt compares selections range by
        // range, which thousands of single rows would make slow.
        std::sort(rows.begin(), rows.end());
        QItemSelection ranges;
        for (std::size_t start = 0; start < rows.size();) {
            std::size_t end = start;
            while (end + 1 < rows.size() && rows[end + 1] == rows[end] + 1) {
                ++end;
            }
            ranges.select(model_->index(rows[start], 0), model_->index(rows[end], 0));
            start = end + 1;
        }
        list_->selectionModel()->select(ranges, QItemSelectionModel::Select);
    }
    list_->scrollTo(first);
}

void VehicleListPanel::selectionChanged() {
    if (quiet_) {
        return;
    }
    // A row the list only focuses, as when it takes the focus without one
    // selected, is no choice: the selected rows are the shown vehicles.
    std::vector<int> rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    // Each entry stands for its own record, also among vehicles of one name.
    const VehicleList& list = session_.document().Autos;
    std::unordered_set<int> selected;
    for (const int row : rows) {
        const int entry = model_->entryAt(row);
        if (entry >= 0) {
            selected.insert(list.recordAt(entry));
        }
    }
    if (selected.empty()) {
        return;
    }
    // Those chosen before keep their places; the rows added follow in list order.
    std::vector<int> chosen;
    chosen.reserve(selected.size());
    for (const int record : chosen_) {
        if (selected.erase(record) > 0) {
            chosen.push_back(record);
        }
    }
    for (const int row : rows) {
        const int entry = model_->entryAt(row);
        if (entry >= 0 && selected.erase(list.recordAt(entry)) > 0) {
            chosen.push_back(list.recordAt(entry));
        }
    }
    chosen_ = std::move(chosen);
    if (chosen_.size() == 1) {
        emit vehicleChosen(chosen_.front());
    } else {
        emit vehiclesCompared(chosen_);
    }
}

void VehicleListPanel::showCount() {
    if (!session_.isLoaded()) {
        count_->clear();
        return;
    }
    count_->setText(countText_.arg(model_->rowCount()).arg(model_->entryCount()));
}

bool VehicleListPanel::eventFilter(QObject* watched, QEvent* event) {
    // The keys that move through the list move it from the filter box too,
    // so that typing a part of a name and Down shows the first match; so
    // does Enter, unless a listed vehicle is shown. Esc empties the box.
    if (watched == filterBox_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape && !filterBox_->text().isEmpty()) {
            filterBox_->clear();
            return true;
        }
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && model_->rowCount() > 0) {
            if (!list_->selectionModel()->hasSelection()) {
                list_->setCurrentIndex(model_->index(0, 0));
            }
            return true;
        }
        if (key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_PageDown ||
            key == Qt::Key_PageUp) {
            QCoreApplication::sendEvent(list_, event);
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

}  // namespace wendrake
