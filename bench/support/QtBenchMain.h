#pragma once
// The main of a benchmark that opens windows: Qt's offscreen platform, without the warnings
// it prints for every window feature it lacks.
#include <QApplication>
#include <QString>
#include <benchmark/benchmark.h>
#include <cstdio>

#include "gui/common/AppContext.h"

namespace kelvo {

inline void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support"))) return;
  std::fprintf(stderr, "%s\n", qUtf8Printable(text));
}

// Times opening a window at a sample limit: created (with its mode, if one is given) and
// shown until its events settle. Closing it is not timed; the settings are put back after.
template <class Window>
void TimeOpeningWindow(benchmark::State& state, int sampleLimit, const QString& tag = QString()) {
  App().program.settings.sampleLimit = sampleLimit;
  for (auto _ : state) {
    auto* window = new Window;
    if (!tag.isEmpty()) window->setTag(tag);
    window->show();
    QCoreApplication::processEvents();
    state.PauseTiming();
    delete window;
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  App().program.settings = EnvSettings{};
}

inline int RunQtBenchmarks(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietOffscreenWarnings);
  QApplication app(argc, argv);
  AppContext context;  // the one context of the benchmark run
#ifdef KELVO_TABLES_DB
  context.tables.open(KELVO_TABLES_DB);
#endif
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace kelvo
