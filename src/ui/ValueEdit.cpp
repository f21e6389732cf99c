#include "ValueEdit.h"

#include <QValidator>

namespace wendrake {

namespace {

class SeparatorFilter final : public QValidator {
  public:
    SeparatorFilter(QString forbidden, QObject* parent)
        : QValidator(parent), forbidden_(std::move(forbidden)) {}

    State validate(QString& input, int& position) const override {
        for (qsizetype i = input.size() - 1; i >= 0; --i) {
            if (forbidden_.contains(input.at(i))) {
                input.remove(i, 1);
                if (i < position) {
                    --position;
                }
            }
        }
        return Acceptable;
    }

  private:
    QString forbidden_;
};

}  // namespace

QLineEdit* valueEdit(const char* objectName, const QString& forbidden, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setValidator(new SeparatorFilter(forbidden, edit));
    return edit;
}

}  // namespace wendrake
