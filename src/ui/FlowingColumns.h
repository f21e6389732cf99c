// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHBoxLayout>
#include <QList>
#include <QWidget>

namespace wendrake {

// Blocks of a page in as many columns as the width allows, each block, in
// order, at the foot of the shortest column: a wide window shows everything
// at once, a narrow one scrolls down instead of cutting the right-hand
// blocks off. Its least width is that of its widest block, so a scroll area
// around it scrolls only vertically.
class FlowingColumns final : public QWidget {
    Q_OBJECT
  public:
    explicit FlowingColumns(QWidget* parent = nullptr);

    void addBlock(QWidget* block);
    // How many columns the blocks stand in now.
    int columnCount() const { return columns_; }

    QSize minimumSizeHint() const override;

  protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    int columnsFitting(int width) const;
    void arrange(int columns);

    QHBoxLayout* row_;
    QList<QWidget*> blocks_;
    int columns_ = 0;
};

}  // namespace wendrake
