// Start-up: from process start to the main window shown (offscreen platform), measured by
// running the program, which ends right after showing its main window when asked to.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

static void BM_StartToMainWindow(benchmark::State& state) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  env.emplace_back("QT_QPA_PLATFORM=offscreen");
  env.emplace_back("KELVO_QUIT_WHEN_SHOWN=1");
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string exe = KELVO_EXE;
  char* argv[] = {exe.data(), nullptr};
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
      state.SkipWithError("cannot start the program");
      return;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the program did not end cleanly");
      return;
    }
  }
}
BENCHMARK(BM_StartToMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
