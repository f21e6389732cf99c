// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTranslator>
#include <memory>

namespace wendrake {

// Qt's own texts (the buttons of questions, the file dialog) in the
// language of the window, from the translations installed with Qt. English,
// and a language Qt has no translation for, use Qt's built-in English.
class QtTranslation {
  public:
    QtTranslation() = default;
    ~QtTranslation();
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;

    // Switches to the language of a language file's name ("Deutsch").
    void follow(const QString& languageName);

    // The code of the translation in use ("de"); empty for Qt's English.
    QString code() const { return code_; }

  private:
    void remove();

    std::unique_ptr<QTranslator> translator_;
    QString code_;
};

}  // namespace wendrake
