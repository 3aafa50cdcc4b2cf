// Importing a CSV of 32767 values (two rows of 16384 cells, the last one empty) into the
// rank-sum window's two sample rows at the largest sample limit: the core's parse and write,
// and the whole command through the window (file read, checks, grid refresh). Then the
// refusals of text far too large: one line of four million cells, and 40 MB on the clipboard.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "core/sample/CellStore.h"
#include "core/files/DataFile.h"
#include "core/sample/DelimitedText.h"
#include "core/settings/EnvSettings.h"
#include "core/text/Errors.h"
#include "core/settings/ProgramState.h"
#include "gui/hypothesis/Form7.h"
#include "gui/frame/SampleGrid.h"
#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"
#include "support/QtBenchMain.h"

using namespace kelvo;

namespace {

constexpr int kColumns = EnvSettings::kMaxSampleLimit;  // heading column included
constexpr int kPerRow = 16384;

std::string ImportCsv() {
  std::string text = "# 两个样本\r\n";
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < kPerRow; ++c) {
      if (c) text += ',';
      if (r == 1 && c == kPerRow - 1) continue;  // 2 x 16384 - 1 = 32767 values
      text += std::to_string((r * kPerRow + c) % 997) + "." + std::to_string(c % 89);
    }
    text += "\r\n";
  }
  return text;
}

void BM_ImportCore(benchmark::State& state) {
  const std::string text = ImportCsv();
  CellStore store(3, kColumns);
  const BlockLimits limits{kMaxDataFileBytes, 2u * (kColumns - 1)};
  for (auto _ : state) {
    const TextBlock block = ColumnAsRow(ParseDelimitedText(text, TextLayout::File, limits));
    CheckBlockFits(block, 2, kColumns - 1);
    WriteBlock(store, block, 1, 1);
    benchmark::DoNotOptimize(store.text(2, kPerRow - 1).data());
  }
  state.SetItemsProcessed(state.iterations() * (2 * kPerRow - 1));
}
BENCHMARK(BM_ImportCore)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// One line of four million cells against a block of 100: refused after its first cells.
void BM_RefuseHugeLineCore(benchmark::State& state) {
  std::string text;
  text.reserve(8u << 20);
  for (int i = 0; i < 4'000'000; ++i) text += "1\t";
  const BlockLimits limits{16u << 20, 100};
  for (auto _ : state) {
    try {
      ParseDelimitedText(text, TextLayout::Clipboard, limits);
      state.SkipWithError("accepted");
      break;
    } catch (const InputError&) {
    }
  }
}
BENCHMARK(BM_RefuseHugeLineCore)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The benchmark's CSV file in `folder`.
QString WriteImportFile(const QTemporaryDir& folder) {
  const QString path = folder.filePath(QStringLiteral("样本.csv"));
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(QByteArray::fromStdString(ImportCsv()));
  return path;
}

// The rank-sum window shown at the largest sample limit, answering through scripted dialogs;
// everything is put back when it goes.
struct ShownWindow {
  ScriptedDialogs dialogs;
  Form7* window = nullptr;
  ShownWindow() {
    App().dialogs = &dialogs;
    App().program.settings.sampleLimit = kColumns;
    window = new Form7;
    window->show();
    QCoreApplication::processEvents();
  }
  ~ShownWindow() {
    delete window;
    QCoreApplication::processEvents();
    App().program.settings = EnvSettings{};
    App().dialogs = nullptr;
  }
  // Skips the benchmark when a message was shown or the last value did not arrive.
  void checkArrived(benchmark::State& state, const char* failure) const {
    if (!dialogs.messages.empty())
      state.SkipWithError(dialogs.messages.front().text.toStdString().c_str());
    else if (window->cells().text(2, kPerRow - 1).empty())
      state.SkipWithError(failure);
  }
};

void BM_ImportThroughWindow(benchmark::State& state) {
  QTemporaryDir folder;
  const QString path = WriteImportFile(folder);
  ShownWindow shown;
  for (auto _ : state) {
    shown.dialogs.queueFilePath(path);
    shown.window->importData();
    QCoreApplication::processEvents();
  }
  shown.checkArrived(state, "nothing imported");
  state.SetItemsProcessed(state.iterations() * (2 * kPerRow - 1));
}
BENCHMARK(BM_ImportThroughWindow)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Saving the same data as the window's data file and opening it again.
void BM_SaveAndOpenThroughWindow(benchmark::State& state) {
  QTemporaryDir folder;
  const QString source = WriteImportFile(folder);
  const QString saved = folder.filePath(QStringLiteral("保存.csv"));
  ShownWindow shown;
  shown.dialogs.queueFilePath(source);
  shown.window->importData();
  for (auto _ : state) {
    shown.dialogs.queueFilePath(saved);
    shown.window->saveData();
    shown.dialogs.queueFilePath(saved);
    shown.window->openData();
    QCoreApplication::processEvents();
  }
  shown.checkArrived(state, "nothing opened");
}
BENCHMARK(BM_SaveAndOpenThroughWindow)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// 40 MB of text another program put on the clipboard, pasted with the toolbar's command:
// refused for its size with one message.
void BM_RefuseHugeClipboardThroughWindow(benchmark::State& state) {
  QString text;
  text.reserve(40'000'000);
  for (int i = 0; i < 4'000'000; ++i) text += QStringLiteral("12345.678\t");
  auto* mime = new QMimeData;
  mime->setText(text);
  QGuiApplication::clipboard()->setMimeData(mime);
  {
    ShownWindow shown;
    shown.window->grid()->setCurrentIndex(shown.window->grid()->gridModel()->index(1, 1));
    for (auto _ : state) {
      shown.dialogs.messages.clear();
      shown.window->sampleGrid()->pasteBlock();
    }
    if (shown.dialogs.messages.size() != 1 ||
        !shown.dialogs.messages.front().text.contains(QStringLiteral("太大")))
      state.SkipWithError("not refused for its size");
  }
  QGuiApplication::clipboard()->clear();
}
BENCHMARK(BM_RefuseHugeClipboardThroughWindow)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
