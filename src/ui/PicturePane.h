// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QFrame>
#include <QLabel>

namespace wendrake {

// A vehicle picture (`picCar`) centred in its frame (`picFrame`), shown at
// its own size and clipped by the frame.
class PicturePane final : public QFrame {
    Q_OBJECT
  public:
    PicturePane(const char* frameName, const char* pictureName, QWidget* parent = nullptr);

    // Shows gfx/<name>.bmp, else gfx/<name>.jpg, else the placeholder
    // gfx/nopictureavailable.jpg from the program folder; clears the picture
    // when none can be loaded. A name that would leave the gfx folder (a path
    // separator or "..") gets the placeholder.
    void showVehicle(const QString& programFolder, const QString& name);

    // The file shown, or empty.
    QString shownFile() const { return shownFile_; }
    QLabel* picture() const { return picture_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void centrePicture();

    // What tells a file on disk changed since it was shown.
    struct FileStamp {
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const FileStamp&) const = default;
    };

    QLabel* picture_;
    QString shownFile_;
    FileStamp shownStamp_;
};

}  // namespace wendrake
