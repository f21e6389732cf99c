// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlowingColumns.h"

#include <QResizeEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace wendrake {

namespace {

constexpr int kSpacing = 16;

// A widget without a layout has no size hint of its own, only a set minimum.
int leastWidth(const QWidget* block) {
    return block->minimumSizeHint().expandedTo(block->minimumSize()).width();
}

}  // namespace

FlowingColumns::FlowingColumns(QWidget* parent) : QWidget(parent), row_(new QHBoxLayout(this)) {
    row_->setContentsMargins(16, 12, 16, 12);
    row_->setSpacing(20);
}

void FlowingColumns::addBlock(QWidget* block) {
    block->setParent(this);
    blocks_ << block;
    const int columns = columns_;
    columns_ = 0;  // arrange afresh
    arrange(std::max(1, columns));
}

// As many columns as blocks fit side by side, the widest first.
int FlowingColumns::columnsFitting(int width) const {
    QList<int> widths;
    for (const QWidget* block : blocks_) {
        widths << leastWidth(block);
    }
    std::sort(widths.begin(), widths.end(), std::greater<>());
    const QMargins margins = row_->contentsMargins();
    int used = margins.left() + margins.right();
    int columns = 0;
    for (int blockWidth : widths) {
        used += (columns > 0 ? row_->spacing() : 0) + blockWidth;
        if (used > width) {
            break;
        }
        ++columns;
    }
    return std::max(1, columns);
}

void FlowingColumns::arrange(int columns) {
    if (columns == columns_) {
        return;
    }
    columns_ = columns;
    while (QLayoutItem* item = row_->takeAt(0)) {
        delete item;  // a column's layout, or the stretch; the blocks stay
    }
    QList<QVBoxLayout*> stacks;
    QList<int> heights;
    for (int k = 0; k < columns; ++k) {
        auto* stack = new QVBoxLayout;
        stack->setSpacing(kSpacing);
        row_->addLayout(stack);
        stacks << stack;
        heights << 0;
    }
    // What is left of the width stays right of the columns.
    row_->addStretch(1);
    for (QWidget* block : blocks_) {
        const auto shortest = std::min_element(heights.begin(), heights.end()) - heights.begin();
        stacks[shortest]->addWidget(block);
        heights[shortest] += block->sizeHint().height() + kSpacing;
    }
    for (QVBoxLayout* stack : stacks) {
        stack->addStretch(1);
    }
    updateGeometry();
}

QSize FlowingColumns::minimumSizeHint() const {
    const QMargins margins = row_->contentsMargins();
    int width = 0;
    for (const QWidget* block : blocks_) {
        width = std::max(width, leastWidth(block));
    }
    return {width + margins.left() + margins.right(), row_->minimumSize().height()};
}

// Blocks grow and shrink with their texts (another language): the columns
// follow, not only when the width changes.
bool FlowingColumns::event(QEvent* event) {
    if (event->type() == QEvent::LayoutRequest && !blocks_.isEmpty()) {
        arrange(columnsFitting(width()));
    }
    return QWidget::event(event);
}

void FlowingColumns::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange(columnsFitting(event->size().width()));
}

}  // namespace wendrake
