// SPDX-License-Identifier: GPL-3.0-or-later
// Times one operation of the real main window, offscreen, on a given file.
//
//   wendrake_bench OPERATION FILE [EXCHANGE] [--reps R]
//
// OPERATION is open (until the first vehicle is shown), filter (one letter
// typed into the empty filter box over the vehicle list), select, sort (the
// table of all vehicles sorted by the mass, one way and the other), type,
// problems (one key press that spoils or mends the first vehicle's mass, so
// that the problems dock gains or loses a row), save, import or undo (type,
// problems, save, import and undo need a handling file; import also the
// exchange file to import). Undo takes back a value typed into the
// first vehicle. FILE is copied into a temporary folder first, so saving never
// changes it. Each repetition is timed from the call that a click or a key
// would make until its posted events are handled and the window is painted
// again. The one line printed reads
//
//   operation=open file=handling.cfg vehicles=32767 reps=7 median_ms=... min_ms=...
//   max_ms=... peak_mb=... process_peak_mb=... peak_of=operation
//
// where peak_mb is the highest resident memory of the process while the
// operation ran (the kernel's peak, VmHWM, reset before each repetition), and
// process_peak_mb the highest of the whole run, setting up included. Where
// the kernel cannot reset its peak, peak_of says "process": peak_mb is then
// the peak of the run so far.
// Exit status 0, or 1 when the operation did not do what it should (an
// unexpected notice, a vehicle count that does not add up), so that no
// failure is ever timed as a result.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "files/MemoryUse.h"
#include "io/ProgramFolder.h"
#include "model/VehicleTable.h"
#include "support/ScriptedDesktop.h"
#include "ui/MainWindow.h"

namespace {

using wendrake::DataFileKind;
using wendrake::MainWindow;
using wendrake::ScriptedDesktop;

// Selections spread over the whole list, as a player scrolling through it.
constexpr int kSelections = 1000;

struct Options {
    QString operation;
    QString file;
    QString exchange;
    int reps = 7;
};

// Stops the run: main() reports the message and exits with status 1.
[[noreturn]] void fail(const std::string& message) {
    throw std::runtime_error(message);
}

std::string local(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

bool parse(const QStringList& args, Options& options) {
    QStringList positional;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--reps") && i + 1 < args.size()) {
            options.reps = std::max(1, args[++i].toInt());
        } else {
            positional << args[i];
        }
    }
    if (positional.size() < 2 || positional.size() > 3) {
        return false;
    }
    options.operation = positional[0];
    options.file = positional[1];
    options.exchange = positional.value(2);
    return true;
}

// Peak resident memory of this process in MiB.
double peakMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0.0;
}

// Starts the kernel's peak resident memory afresh from the memory in use now;
// false where the kernel does not offer it.
bool resetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return clear.good();
}

class Bench {
  public:
    Bench(const Options& options, const QString& workFile)
        : options_(options), file_(workFile), window_(desktop_, wendrake::programFolder()) {
        if (!window_.start()) {
            fail("the window did not start (no language file beside the program?)");
        }
        window_.show();
        settle();
    }

    int run() {
        const QString& op = options_.operation;
        if (op == QLatin1String("open")) {
            repeat([this] { window_.openFile(file_); }, [this] { checkOpened(); });
        } else if (op == QLatin1String("filter")) {
            filters();
        } else if (op == QLatin1String("select")) {
            timeSelections();
        } else if (op == QLatin1String("sort")) {
            needHandling();
            sorts();
        } else if (op == QLatin1String("type")) {
            needHandling();
            typeValues();
        } else if (op == QLatin1String("problems")) {
            needHandling();
            spoilAndMend();
        } else if (op == QLatin1String("save")) {
            needHandling();
            saves();
        } else if (op == QLatin1String("import")) {
            needHandling();
            imports();
        } else if (op == QLatin1String("undo")) {
            needHandling();
            undos();
        } else if (op == QLatin1String("undo-step")) {
            needHandling();
            undoSteps();
        } else if (op == QLatin1String("undo-import")) {
            needHandling();
            needExchange();
            undoImports();
        } else {
            fail("unknown operation " + local(op));
        }
        processPeak_ = std::max(processPeak_, peakMegabytes());
        report();
        return 0;
    }

  private:
    // The window's posted events (layout, the error window) handled and the
    // window painted, as the player would see it.
    void settle() {
        QCoreApplication::processEvents();
        window_.repaint();
    }

    double timed(const std::function<void()>& action) {
        processPeak_ = std::max(processPeak_, peakMegabytes());
        const bool fresh = resetPeak();
        QElapsedTimer timer;
        timer.start();
        action();
        settle();
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        // Without a reset the peak is that of the whole run so far.
        operationPeak_ = std::max(operationPeak_, peakMegabytes());
        peakIsOwn_ = peakIsOwn_ && fresh;
        return ms;
    }

    // Runs `action` once untimed, to warm up, then `reps` times timed, each
    // after `prepare` (untimed).
    void repeat(const std::function<void()>& action, const std::function<void()>& check,
                const std::function<void()>& prepare = {}) {
        for (int i = 0; i <= options_.reps; ++i) {
            if (prepare) {
                prepare();
                settle();
            }
            const double ms = timed(action);
            check();
            if (i > 0) {
                times_.push_back(ms);
            }
        }
    }

    void open() {
        window_.openFile(file_);
        settle();
        checkOpened();
        vehicles_ = static_cast<int>(vehicleTableRowCount(window_.document()));
    }

    void checkOpened() {
        const auto& document = window_.document();
        if (!document.isLoaded() || vehicleList()->currentIndex().row() != 0 ||
            window_.session().selected() != document.Autos.recordAt(0)) {
            fail("the file did not open: " + lastNotice());
        }
        checkNoNotice();
        vehicles_ = static_cast<int>(vehicleTableRowCount(window_.document()));
    }

    void checkNoNotice() {
        const QStringList notices = desktop_.texts(ScriptedDesktop::MessageKind::Notice);
        if (!notices.isEmpty()) {
            fail("the window reported: " + local(notices.last()));
        }
    }

    std::string lastNotice() {
        const QStringList notices = desktop_.texts(ScriptedDesktop::MessageKind::Notice);
        return notices.isEmpty() ? std::string("(no notice)") : local(notices.last());
    }

    void needHandling() {
        if (!options_.file.endsWith(QLatin1String(".cfg"))) {
            fail(local(options_.operation) + " needs a handling file (.cfg)");
        }
    }

    void needExchange() {
        if (options_.exchange.isEmpty() || !QFileInfo::exists(options_.exchange)) {
            fail(local(options_.operation) + " needs the exchange file to import");
        }
    }

    QListView* vehicleList() {
        return window_.findChild<QListView*>(QStringLiteral("vehicleList"));
    }

    // The letter matches names in any case, as the list counts them.
    int namesContaining(char letter) {
        const char other = static_cast<char>(letter - 'a' + 'A');
        int count = 0;
        for (const std::string& name : window_.document().Autos.entries()) {
            count += name.find_first_of(std::string{letter, other}) != std::string::npos ? 1 : 0;
        }
        return count;
    }

    void filters() {
        open();
        auto* box = window_.findChild<QLineEdit*>(QStringLiteral("vehicleFilter"));
        const int expected = namesContaining('a');
        repeat([box] { QTest::keyClick(box, 'a'); },
               [&] {
                   if (vehicleList()->model()->rowCount() != expected) {
                       fail("the filter did not keep the names that contain the letter");
                   }
               },
               [box] { box->clear(); });
    }

    void timeSelections() {
        open();
        QListView* list = vehicleList();
        const int count = list->model()->rowCount();
        if (count < 2) {
            fail("selecting needs a file of at least two vehicles");
        }
        const int steps = std::min(kSelections, count);
        // One round untimed first: pictures and fonts are cached after it.
        for (int round = 0; round < 2; ++round) {
            for (int k = 0; k < steps; ++k) {
                // Never the entry already selected, which would do nothing.
                const int index = 1 + static_cast<int>(static_cast<long long>(k) * (count - 1) /
                                                       std::max(1, steps));
                const double ms =
                    timed([&] { list->setCurrentIndex(list->model()->index(index, 0)); });
                if (list->currentIndex().row() != index) {
                    fail("the selection did not take");
                }
                if (round == 1) {
                    times_.push_back(ms);
                }
            }
            list->setCurrentIndex(list->model()->index(0, 0));
            settle();
        }
        checkNoNotice();
    }

    // What a click on the mass column's caption does, one way and the other.
    void sorts() {
        open();
        window_.tableAction->trigger();
        settle();
        auto* table = window_.findChild<wendrake::VehicleTable*>();
        QAbstractItemModel* rows = table->model();
        if (rows->rowCount() != vehicles_) {
            fail("the table does not show every vehicle");
        }
        constexpr int kMass = static_cast<int>(wendrake::HandlingField::Gewicht);
        // The lightest vehicle comes first one way and last the other way,
        // where the masses that are no number come first.
        double lightest = 0.0;
        bool any = false;
        for (const wendrake::HandlingRecord& record : window_.document().HandlingRecords) {
            bool number = false;
            const double mass =
                QString::fromStdString(std::string(record[wendrake::HandlingField::Gewicht]))
                    .toDouble(&number);
            if (number && (!any || mass < lightest)) {
                lightest = mass;
                any = true;
            }
        }
        int next = 0;
        repeat(
            [&] {
                table->sortByColumn(kMass,
                                    next++ % 2 == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
            },
            [&] {
                const int row = (next - 1) % 2 == 0 ? 0 : rows->rowCount() - 1;
                if (rows->index(row, kMass).data().toString().toDouble() != lightest) {
                    fail("the table is not sorted by the mass");
                }
            });
    }

    void typeValues() {
        open();
        QLineEdit* edit = window_.findChild<wendrake::HandlingPages*>()->findChild<QLineEdit*>(
            QStringLiteral("txtGewicht"));
        const std::vector<QString> values = {QStringLiteral("1234.5"), QStringLiteral("987.0")};
        int next = 0;
        repeat(
            [&] {
                edit->selectAll();
                QTest::keyClicks(edit, values[static_cast<std::size_t>(next++ % 2)]);
            },
            [&] {
                const auto& record = window_.document().HandlingRecords[static_cast<std::size_t>(
                    window_.document().CurrentHandling)];
                if (record[wendrake::HandlingField::Gewicht] !=
                    local(values[static_cast<std::size_t>((next - 1) % 2)])) {
                    fail("the typed value did not land in the vehicle");
                }
            });
    }

    void spoilAndMend() {
        open();
        QLineEdit* edit = window_.findChild<wendrake::HandlingPages*>()->findChild<QLineEdit*>(
            QStringLiteral("txtGewicht"));
        edit->setFocus();
        edit->end(false);
        QCoreApplication::processEvents();
        const std::size_t rowsAtOpen = window_.document().Errors.size();
        int presses = 0;
        repeat(
            [&] {
                if (presses++ % 2 == 0) {
                    QTest::keyClick(edit, Qt::Key_X);
                } else {
                    QTest::keyClick(edit, Qt::Key_Backspace);
                }
            },
            [&] {
                const std::size_t wanted = rowsAtOpen + (presses % 2 == 1 ? 1 : 0);
                if (window_.document().Errors.size() != wanted ||
                    window_.findChild<wendrake::ProblemsPanel*>()->list()->model()->rowCount() !=
                        static_cast<int>(wanted)) {
                    fail("the problems dock did not follow the key press");
                }
            });
    }

    void saves() {
        open();
        QLineEdit* edit = window_.findChild<wendrake::HandlingPages*>()->findChild<QLineEdit*>(
            QStringLiteral("txtGewicht"));
        int next = 0;
        repeat([this] { window_.save(); },
               [this] {
                   checkNoNotice();
                   if (!window_.document().SavedFlag) {
                       fail("the file was not saved");
                   }
               },
               [&] {
                   edit->selectAll();
                   QTest::keyClicks(edit, QString::number(1000 + next++) + QStringLiteral(".0"));
               });
    }

    void importOnce() {
        desktop_.openChoices.enqueue(wendrake::OpenDialogChoice{options_.exchange, 1});
        // Names of the exchange file already in the file are asked about:
        // both are kept, so that every vehicle is imported.
        desktop_.choices.clear();
        desktop_.choices.enqueue(1);
        window_.importVehicles();
    }

    void imports() {
        needExchange();
        open();
        repeat([this] { importOnce(); },
               [this] {
                   checkNoNotice();
                   if (vehicleTableRowCount(window_.document()) <=
                       static_cast<std::size_t>(vehicles_)) {
                       fail("nothing was imported");
                   }
               },
               // Every import starts from the file as generated.
               [this] { window_.openFile(file_); });
    }

    void undos() {
        open();
        QLineEdit* edit = window_.findChild<wendrake::HandlingPages*>()->findChild<QLineEdit*>(
            QStringLiteral("txtGewicht"));
        repeat(
            [this] {
                desktop_.answers.enqueue(true);
                window_.revertToSaved();
            },
            [this] {
                checkNoNotice();
                const auto& document = window_.document();
                if (document.HandlingRecords != document.HandlingSnapshot) {
                    fail("undo did not restore the vehicles as opened");
                }
            },
            // A value typed into the first vehicle is what undo takes back.
            [edit] {
                edit->selectAll();
                QTest::keyClicks(edit, QStringLiteral("4321.0"));
            });
    }

    // Edit > Undo of one typed value.
    void undoSteps() {
        open();
        QLineEdit* edit = window_.findChild<wendrake::HandlingPages*>()->findChild<QLineEdit*>(
            QStringLiteral("txtGewicht"));
        const std::string opened = local(edit->text());
        repeat([this] { window_.undoAction->trigger(); },
               [this, &opened] {
                   const auto& document = window_.document();
                   if (document.HandlingRecords[static_cast<std::size_t>(document.CurrentHandling)]
                                               [wendrake::HandlingField::Gewicht] != opened ||
                       !document.SavedFlag) {
                       fail("undo did not give back the value as opened");
                   }
               },
               [edit] {
                   edit->selectAll();
                   QTest::keyClicks(edit, QStringLiteral("4321.0"));
               });
    }

    // Edit > Undo of an import: every table as before it.
    void undoImports() {
        open();
        repeat([this] { window_.undoAction->trigger(); },
               [this] {
                   if (vehicleTableRowCount(window_.document()) !=
                           static_cast<std::size_t>(vehicles_) ||
                       !window_.document().SavedFlag) {
                       fail("undo did not take the import back");
                   }
               },
               [this] { importOnce(); });
    }

    void report() {
        if (times_.empty()) {
            fail("nothing was timed");
        }
        std::vector<double> sorted = times_;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        const double median =
            n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2.0;
        std::printf(
            "operation=%s file=%s vehicles=%d reps=%zu median_ms=%.3f min_ms=%.3f max_ms=%.3f "
            "peak_mb=%.1f process_peak_mb=%.1f peak_of=%s\n",
            local(options_.operation).c_str(), local(QFileInfo(options_.file).fileName()).c_str(),
            vehicles_, n, median, sorted.front(), sorted.back(), operationPeak_, processPeak_,
            peakIsOwn_ ? "operation" : "process");
    }

    Options options_;
    QString file_;
    ScriptedDesktop desktop_;
    MainWindow window_;
    std::vector<double> times_;
    int vehicles_ = 0;
    double operationPeak_ = 0.0;
    double processPeak_ = 0.0;
    bool peakIsOwn_ = true;
};

}  // namespace

int main(int argc, char* argv[]) {
    // As the program itself does.
    wendrake::returnLargeBlocksWhenFreed();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    Options options;
    if (!parse(QApplication::arguments(), options)) {
        std::fprintf(stderr,
                     "Usage: wendrake_bench "
                     "open|filter|select|sort|type|problems|save|import|undo|undo-step|undo-import "
                     "FILE [EXCHANGE] "
                     "[--reps R]\n");
        return 2;
    }
    // Saving writes over the file: work on a copy under the file's own name,
    // whose ending tells its kind.
    QTemporaryDir folder;
    try {
        if (!QFileInfo(options.file).isFile()) {
            fail("no such file: " + local(options.file));
        }
        const QString work = folder.filePath(QFileInfo(options.file).fileName());
        if (!folder.isValid() || !QFile::copy(options.file, work)) {
            fail("cannot copy the file into a temporary folder");
        }
        Bench bench(options, work);
        return bench.run();
    } catch (const std::runtime_error& failure) {
        std::fprintf(stderr, "wendrake_bench: %s\n", failure.what());
        return 1;
    }
}
