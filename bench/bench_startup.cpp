// The start of the real program, timed from outside as a user meets it:
// spawn -> main window mapped on the X server -> first idiom shown (and when
// the match list's matcher is ready), and the peak resident memory (VmHWM)
// over all of it and three idle seconds after, on synthetic editions of
// several sizes, at the window's first-start size on a 1280x900 screen.
// Sizes alternate within each round so that a noisy spell hits them alike;
// medians are reported. The floor, a bare Qt window with one label of
// Chinese text (startup_floor.cpp), is started in the same rounds, and each
// size's mapped time is also given as a ratio of the floor's. Size 0 is the
// staged default edition.
//
//   bench_startup [--runs N] [--sizes 0,8000,40000,200000] [--stage DIR --mkdata PATH] [--cold]
//                 [--peer PROGRAM --peer-homes DIR]
//   (--stage and --mkdata measure another build's program and data builder;
//    --cold drops the page cache before each start: root only, else skipped;
//    --peer starts a peer dictionary in the same rounds, with HOME=DIR/SIZE,
//    as bench/peer_goldendict.sh prepares GoldenDict)
//
// Needs an X server: DISPLAY, or Xvfb on the PATH (then one is started).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern char **environ;

namespace {

long long Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

int Run(const std::string &command) { return std::system(command.c_str()); }

constexpr long long kIdleBeforeMemoryNs = 3'000'000'000LL;

struct Start {
  double mappedMs = -1, idiomMs = -1, searchMs = -1, peakMb = -1;
};

double PeakMegabytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  return -1;
}

// Drops the page cache, so that the next start reads its files from disk as
// after a boot; false when this process may not.
bool DropPageCache() {
  sync();
  std::ofstream drop("/proc/sys/vm/drop_caches");
  if (!drop) return false;
  drop << "3\n";
  return static_cast<bool>(drop.flush());
}

// mappedOnly: the floor shows no idiom and makes no matcher.
// extraEnv: variables set for the started program only.
Start StartOnce(const std::string &program, xcb_connection_t *x, bool mappedOnly = false,
                const std::vector<std::string> &extraEnv = {}) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  std::vector<std::string> env;
  for (char **e = environ; *e; ++e) env.emplace_back(*e);
  env.emplace_back("QT_LOGGING_RULES=velmora.startup.info=true");
  env.emplace_back("QT_QPA_PLATFORM=xcb");
  env.emplace_back("QT_FORCE_STDERR_LOGGING=1");
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char *> envp;
  for (auto &e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  char *argv[] = {const_cast<char *>(program.c_str()), nullptr};
  xcb_flush(x);
  while (xcb_generic_event_t *stale = xcb_poll_for_event(x)) free(stale);
  pid_t pid = 0;
  const long long spawned = Now();
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0) return {};
  close(pipeFds[1]);
  posix_spawn_file_actions_destroy(&actions);
  fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);

  Start start;
  std::string pending;
  const long long deadline = spawned + 10'000'000'000LL;
  // Until the window is mapped, the first idiom shown and the match list's
  // matcher made (the last of the start's work, on another thread).
  while (Now() < deadline && (start.mappedMs < 0 || (!mappedOnly && (start.idiomMs < 0 || start.searchMs < 0)))) {
    pollfd fds[2] = {{xcb_get_file_descriptor(x), POLLIN, 0}, {pipeFds[0], POLLIN, 0}};
    poll(fds, 2, 100);
    while (xcb_generic_event_t *event = xcb_poll_for_event(x)) {
      if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && start.mappedMs < 0)
        start.mappedMs = (Now() - spawned) / 1e6;
      free(event);
    }
    char buffer[4096];
    ssize_t got;
    while ((got = read(pipeFds[0], buffer, sizeof buffer)) > 0) pending.append(buffer, static_cast<size_t>(got));
    for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
      const std::string line = pending.substr(0, end);
      for (const auto &[event, field] : {std::pair{std::string("first-idiom-shown"), &start.idiomMs},
                                         std::pair{std::string("matcher-ready"), &start.searchMs}}) {
        const std::string tag = "velmora-startup " + event + " ";
        const size_t mark = line.find(tag);
        if (mark != std::string::npos) *field = (std::atoll(line.c_str() + mark + tag.size()) - spawned) / 1e6;
      }
    }
  }
  // Memory as a user's window holds it: the first idiom shown (or the
  // floor's label mapped), then the window left idle for a while.
  if (start.mappedMs >= 0) {
    const long long idleUntil = Now() + kIdleBeforeMemoryNs;
    while (Now() < idleUntil) {
      char sink[4096];
      while (read(pipeFds[0], sink, sizeof sink) > 0) {
      }
      usleep(50000);
    }
  }
  start.peakMb = PeakMegabytes(pid);
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  close(pipeFds[0]);
  return start;
}

std::vector<std::string> PeerEnvironment(const std::string &homes, int size) {
  return {"HOME=" + homes + "/" + std::to_string(size)};
}

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char **argv) {
  int runs = 10;
  std::vector<int> sizes = {0, 8000, 40000, 200000};
  std::string stage = VELMORA_STAGE, mkdata = VELMORA_MKDATA, floor = VELMORA_FLOOR, peer, peerHomes;
  bool cold = false;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--cold") == 0) cold = true;
  if (cold && !DropPageCache()) {
    std::printf("--cold needs root (it writes /proc/sys/vm/drop_caches): measuring warm starts only\n");
    cold = false;
  }
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--cold") == 0) {
      --i;
      continue;
    }
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--stage") == 0) stage = argv[i + 1];
    if (std::strcmp(argv[i], "--mkdata") == 0) mkdata = argv[i + 1];
    if (std::strcmp(argv[i], "--peer") == 0) peer = argv[i + 1];
    if (std::strcmp(argv[i], "--peer-homes") == 0) peerHomes = argv[i + 1];
    if (std::strcmp(argv[i], "--sizes") == 0) {
      sizes.clear();
      std::stringstream list(argv[i + 1]);
      for (std::string size; std::getline(list, size, ',');) sizes.push_back(std::stoi(size));
    }
  }
  // The program's per-user files go to a folder of the benchmark's own.
  char userHome[] = "/tmp/velmora-bench-user-XXXXXX";
  if (mkdtemp(userHome) != nullptr) {
    setenv("XDG_CONFIG_HOME", (std::string(userHome) + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (std::string(userHome) + "/data").c_str(), 1);
  }
  pid_t xvfb = 0;
  if (getenv("DISPLAY") == nullptr) {
    // A display number of its own, above those the end-to-end tests take.
    int number = 161;
    while (access(("/tmp/.X" + std::to_string(number) + "-lock").c_str(), F_OK) == 0) ++number;
    static std::string display = ":" + std::to_string(number);
    setenv("DISPLAY", display.c_str(), 1);
    char *xargv[] = {const_cast<char *>("Xvfb"),        display.data(),
                     const_cast<char *>("-screen"),     const_cast<char *>("0"),
                     const_cast<char *>("1280x900x24"), const_cast<char *>("-nolisten"),
                     const_cast<char *>("tcp"),         nullptr};
    if (posix_spawnp(&xvfb, "Xvfb", nullptr, nullptr, xargv, environ) != 0) return 77;
    sleep(1);
  }
  xcb_connection_t *x = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(x)) return 77;
  const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(x);

  char folderTemplate[] = "/tmp/velmora-bench-XXXXXX";
  const std::string work = mkdtemp(folderTemplate);
  std::map<int, std::string> programs;
  for (int size : sizes) {
    const std::string folder = work + "/" + std::to_string(size);
    Run("cp -r '" + stage + "' '" + folder + "'");
    if (size > 0)
      Run("'" + mkdata + "' --synthetic " + std::to_string(size) + " --gb '" + folder +
          "/Data/Velmdict_cn.dat' >/dev/null");
    programs[size] = folder + "/velmora";
    StartOnce(programs[size], x);  // warm the file cache
    if (!peer.empty()) StartOnce(peer, x, true, PeerEnvironment(peerHomes, size));
  }
  StartOnce(floor, x, true);
  std::map<int, std::vector<Start>> starts, peers;
  std::vector<Start> floors;
  for (int round = 0; round < runs; ++round) {
    if (cold) DropPageCache();
    floors.push_back(StartOnce(floor, x, true));
    for (int size : sizes) {
      if (cold) DropPageCache();
      starts[size].push_back(StartOnce(programs[size], x));
      if (peer.empty()) continue;
      if (cold) DropPageCache();
      peers[size].push_back(StartOnce(peer, x, true, PeerEnvironment(peerHomes, size)));
    }
  }
  std::vector<double> floorMapped, floorPeak;
  for (const Start &s : floors) floorMapped.push_back(s.mappedMs), floorPeak.push_back(s.peakMb);
  const double floorMs = Median(floorMapped), floorMb = Median(floorPeak);
  std::printf(
      "%s starts. The floor (a bare Qt window with one Chinese label): mapped in %.0f ms, VmHWM %.1f MB (medians)\n",
      cold ? "Cold" : "Warm", floorMs, floorMb);
  std::printf("%8s %12s %8s %14s %16s %16s %10s %8s   (medians of %d starts; idioms 0 = the default edition)\n",
              "idioms", "mapped ms", "x floor", "1st idiom ms", "idiom-mapped ms", "matcher ready ms", "VmHWM MB",
              "x floor", runs);
  for (int size : sizes) {
    std::vector<double> mapped, idiom, gap, search, peak;
    for (const Start &s : starts[size]) {
      mapped.push_back(s.mappedMs);
      idiom.push_back(s.idiomMs);
      gap.push_back(s.idiomMs - s.mappedMs);
      search.push_back(s.searchMs);
      peak.push_back(s.peakMb);
    }
    std::printf("%8d %12.0f %8.2f %14.0f %16.0f %16.0f %10.1f %8.2f\n", size, Median(mapped), Median(mapped) / floorMs,
                Median(idiom), Median(gap), Median(search), Median(peak), Median(peak) / floorMb);
  }
  if (!peer.empty()) {
    std::printf("The peer, %s, in the same rounds:\n%8s %12s %16s %10s\n", peer.c_str(), "idioms", "mapped ms",
                "Velmora x peer", "VmHWM MB");
    for (int size : sizes) {
      std::vector<double> mine, theirs, peak;
      for (const Start &s : starts[size]) mine.push_back(s.mappedMs);
      for (const Start &s : peers[size]) theirs.push_back(s.mappedMs), peak.push_back(s.peakMb);
      std::printf("%8d %12.0f %16.2f %10.1f\n", size, Median(theirs), Median(mine) / Median(theirs), Median(peak));
    }
  }
  Run("rm -rf '" + work + "'");
  xcb_disconnect(x);
  if (xvfb) kill(xvfb, SIGTERM);
  return 0;
}
