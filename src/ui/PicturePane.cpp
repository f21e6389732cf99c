// SPDX-License-Identifier: GPL-3.0-or-later
#include "PicturePane.h"

#include <QFileInfo>
#include <QPixmap>

namespace wendrake {

namespace {

// A picture's file name is the vehicle's name with ".bmp" or ".jpg": names
// that would reach out of the pictures folder, or be longer than any file
// system allows a file name to be, have no picture of their own.
bool canNamePicture(const QString& name) {
    constexpr qsizetype kLongestFileName = 255 - 4;
    return name.size() <= kLongestFileName && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char('\\')) && !name.contains(QStringLiteral(".."));
}

}  // namespace

PicturePane::PicturePane(const char* frameName, const char* pictureName, QWidget* parent)
    : QFrame(parent), picture_(new QLabel(this)) {
    setObjectName(QString::fromLatin1(frameName));
    picture_->setObjectName(QString::fromLatin1(pictureName));
    setFrameShape(QFrame::StyledPanel);
    setMinimumSize(200, 150);
}

void PicturePane::showVehicle(const QString& programFolder, const QString& name) {
    const QString gfx = programFolder + QStringLiteral("gfx/");
    QStringList candidates;
    if (canNamePicture(name)) {
        candidates << gfx + name + QStringLiteral(".bmp") << gfx + name + QStringLiteral(".jpg");
    }
    candidates << gfx + QStringLiteral("nopictureavailable.jpg");

    for (const QString& candidate : candidates) {
        const QFileInfo file(candidate);
        if (!file.isFile()) {
            continue;
        }
        // The picture shown already, unchanged on disk (most vehicles share
        // the placeholder): loading it again would only relayout the frame.
        const FileStamp stamp{file.size(), file.lastModified()};
        if (candidate == shownFile_ && stamp == shownStamp_) {
            return;
        }
        // A file that is no picture counts as missing: the next one is tried.
        QPixmap pixmap;
        if (pixmap.load(candidate)) {
            picture_->setPixmap(pixmap);
            picture_->resize(pixmap.size());
            shownFile_ = candidate;
            shownStamp_ = stamp;
            centrePicture();
            return;
        }
    }
    shownFile_.clear();
    shownStamp_ = {};
    picture_->clear();
    centrePicture();
}

void PicturePane::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    centrePicture();
}

void PicturePane::centrePicture() {
    const QRect inner = contentsRect();
    picture_->move(inner.x() + inner.width() / 2 - picture_->width() / 2,
                   inner.y() + inner.height() / 2 - picture_->height() / 2);
}

}  // namespace wendrake
