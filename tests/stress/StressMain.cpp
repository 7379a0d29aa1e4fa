// ruvek-stress: N headless stations, each a separate process with its own
// program folder, record back to back into one shared data directory (each
// station's Q drive is a link to the same folder). When all have ended, every
// log is read whole: no event number twice, each event once in every network
// log and in its own station's local logs, no torn line, the HTML logs with
// their head and end. With --rounds the two stations press Record Event at the
// same instant, round after round, and the rounds that share a number count.
// With --flap the data directory is taken away and put back at random moments
// while the stations record; once it is back for good each station ticks, and
// every event must then be in every network log once.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <thread>

#include "harness/Args.h"
#include "harness/Command.h"
#include "harness/Cruise.h"
#include "harness/Process.h"

namespace fs = std::filesystem;
using namespace ruvek::harness;
using ruvek::test::Station;

namespace {

const char* const kUsage =
    "usage: ruvek-stress [--stations N] [--events M] [--rounds R] [--exe PATH] [--keep DIR] [--seed S]\n"
    "                    [--timeout SECONDS] [--share DIR] [--flap]\n"
    "  N stations (default 4) record M events each (default 50) into one data directory.\n"
    "  --rounds R: two stations press Record Event at the same instant, R times.\n"
    "  --keep DIR: work in DIR (new or empty) and leave the stations there.\n"
    "  --share DIR: the empty folder the stations' own Q drive is (a Windows program's\n"
    "               mapped drive); without it each station's Q is a link to one folder.\n"
    "  --flap: the data directory goes away and comes back at random while they record.\n";

const std::vector<std::string> kEvents = {"Station Arrival", "CTD Deployed", "CTD At Depth", "CTD Recovered",
                                          "Bongo",           "Manta",        "Secchi",       "Station Departure"};
// Optional figures of a station that shares the data directory under a lock.
const std::vector<std::string> kLockStates = {"lockWaits", "lockTakeovers"};

struct Options {
  int stations = 4, events = 50, rounds = 0;
  bool flap = false;
  unsigned seed = 1;
  std::string exe = ruvek::test::TextOf("RUVEK_EXE", RUVEK_EXE), keep, share;
  std::chrono::seconds timeout{300};
};

std::string Tag(int station, int event) { return "st" + std::to_string(station) + " ev" + std::to_string(event); }

// The events a station recorded with the share there: no message about the
// share between the event before and this one's "DONE <tag>".
std::set<std::string> TagsWithShare(const std::string& out) {
  std::set<std::string> tags;
  std::size_t from = 0;
  for (std::size_t done = out.find("DONE "); done != std::string::npos; done = out.find("DONE ", from)) {
    const std::size_t end = out.find('\n', done);
    if (end == std::string::npos) break;
    if (out.substr(from, done - from).find("Unable to") == std::string::npos)
      tags.insert(out.substr(done + 5, end - done - 5));
    from = end + 1;
  }
  return tags;
}

// Numbers given to more than one of the events `tags` in the log.
std::size_t DuplicateNumbersOf(const LogAudit& log, const std::set<std::string>& tags) {
  std::map<std::string, std::size_t> seen;
  std::size_t dup = 0;
  for (const auto& [tag, numbers] : log.numbersOfTag)
    if (tags.count(tag))
      for (const std::string& n : numbers)
        if (seen[n]++ > 0) ++dup;
  return dup;
}

// Takes the data directory away and puts it back at random moments until
// `done()`, then puts it back for good. Returns the number of outages.
int Flap(const std::string& data, std::mt19937& rng, const std::function<bool()>& done) {
  const std::string away = data + ".away";
  int outages = 0;
  const auto nap = [&](int lo, int hi) {
    std::this_thread::sleep_for(std::chrono::milliseconds(lo + int(rng() % unsigned(hi - lo))));
  };
  while (!done()) {
    nap(300, 2500);
    if (done()) break;
    fs::rename(data, away);
    ++outages;
    nap(50, 400);
    fs::rename(away, data);
  }
  return outages;
}

// The work folder: --keep DIR (new or empty), else a temporary one removed at the end.
struct WorkDir {
  std::string path;
  bool keep = false;
  explicit WorkDir(const std::string& keepDir) : keep(!keepDir.empty()) {
    if (keep) {
      if (fs::exists(keepDir) && !fs::is_empty(keepDir)) throw std::runtime_error(keepDir + " is not empty");
      fs::create_directories(keepDir);
      path = fs::absolute(keepDir).string();
    } else {
      std::string tmpl = (fs::temp_directory_path() / "ruvek-stress-XXXXXX").string();
      if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
      path = tmpl;
    }
  }
  ~WorkDir() {
    std::error_code ec;
    if (!keep) fs::remove_all(path, ec);
  }
};

// The lock state names this program knows: a name it does not know
// ends its script with exit code 2, so each is asked once, alone, up front.
std::set<std::string> KnownStates(const Options& o, const std::string& work) {
  std::set<std::string> known;
  for (const std::string& name : kLockStates) {
    const std::string root = work + "/probe-" + name;
    Station st(root);
    SeedStation(st, "C:\\DATA\\", kEvents);
    WriteFile(root + "/script.rvk", StartScript("2026-06-08 03:00:00") + "get " + name + "\n");
    Child c({HeadlessArgs(o.exe, root, root + "/script.rvk"), {}, root + "/out.txt", root + "/err.txt"});
    if (c.wait(std::chrono::seconds(60)).code == 0 && ReadFile(root + "/out.txt").find(name + "=") != std::string::npos)
      known.insert(name);
  }
  return known;
}

// Releases both stations of a same-instant round together: each waits in a
// `sh` that reads its own FIFO of that round, and both FIFOs are opened (which
// succeeds only once its reader waits) before either is written.
bool ReleaseRound(std::vector<Child>& children, const std::vector<std::string>& fifos,
                  std::chrono::steady_clock::time_point deadline) {
  std::vector<int> fds;
  for (std::size_t k = 0; k < fifos.size(); ++k) {
    int fd = -1;
    while ((fd = ::open(fifos[k].c_str(), O_WRONLY | O_NONBLOCK)) < 0) {
      if (errno != ENXIO || !children[k].running() || std::chrono::steady_clock::now() > deadline) {
        for (int f : fds) ::close(f);
        return false;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    fds.push_back(fd);
  }
  for (int fd : fds) (void)!::write(fd, "\n", 1);
  for (int fd : fds) ::close(fd);
  return true;
}

// Sum of the figure `name` printed as "name=N" at the end of each station's
// script; "n/a" when the program does not know the name.
std::string LockFigure(const std::set<std::string>& known, const std::string& name,
                       const std::vector<std::string>& outputs) {
  if (!known.count(name)) return "n/a";
  long sum = 0;
  for (const std::string& out : outputs) {
    const std::size_t at = out.rfind(name + "=");
    if (at != std::string::npos) sum += std::atol(out.c_str() + at + name.size() + 1);
  }
  return std::to_string(sum);
}

struct Row {
  std::string name;
  std::size_t rows = 0, missing = 0, twice = 0, foreign = 0, torn = 0, headers = 0, badHead = 0, badEnd = 0;
  bool html = false;
  std::vector<std::string> samples;

  void add(const LogAudit& a, const Coverage& c) {
    rows += a.rows, missing += c.missing, twice += c.twice, foreign += c.foreign, torn += a.torn;
    headers += a.misplacedHeaders, badHead += a.present && !a.headOk, badEnd += a.present && !a.endOk;
    for (const std::string& s : a.samples)
      if (samples.size() < 3) samples.push_back(s);
  }
  bool ok() const { return !missing && !twice && !foreign && !torn && !headers && !badHead && !badEnd; }
};

void PrintRows(const std::vector<Row>& rows) {
  std::printf("  %-30s %6s %8s %6s %8s %5s %8s %s\n", "log", "rows", "missing", "twice", "foreign", "torn", "headers",
              "HTML head/end");
  for (const Row& r : rows) {
    std::printf(
        "  %-30s %6zu %8zu %6zu %8zu %5zu %8s %s\n", r.name.c_str(), r.rows, r.missing, r.twice, r.foreign, r.torn,
        r.html ? "-" : std::to_string(r.headers).c_str(),
        r.html ? (std::to_string(r.badHead) + " without head, " + std::to_string(r.badEnd) + " without end").c_str()
               : "-");
    for (const std::string& s : r.samples) std::printf("      e.g. %s\n", s.c_str());
  }
}

int Run(const Options& o) {
  const WorkDir work(o.keep);
  const std::set<std::string> known = KnownStates(o, work.path);
  const std::string share = o.share.empty() ? work.path + "/share" : o.share;
  if (!o.share.empty() && fs::exists(share + "/DATA")) throw std::runtime_error(share + "/DATA exists already");
  fs::create_directories(share + "/DATA");
  WriteFile(share + "/DATA/EventNumber.txt", "10\r\n");

  // The events in recording order, the same for every station, so that the
  // stations of a same-instant round run the same steps.
  std::mt19937 rng(o.seed);
  std::vector<std::string> events;
  for (int i = 0; i < o.events; ++i) events.push_back(kEvents[rng() % kEvents.size()]);

  // Each station: its own drive C, and Q a link to the shared folder.
  std::vector<std::string> roots;
  std::vector<std::vector<std::string>> fifos(std::size_t(o.rounds));
  for (int k = 1; k <= o.stations; ++k) {
    const std::string root = work.path + "/st" + std::to_string(k);
    roots.push_back(root);
    Station st(root);
    SeedStation(st, "Q:\\DATA\\", kEvents);
    if (o.share.empty()) fs::create_directory_symlink(share, root + "/Q");
    std::string script = StartScript("2026-06-08 03:00:00");
    for (int i = 0; i < o.events; ++i) {
      std::string barrier;
      if (o.rounds) {
        const std::string fifo = work.path + "/go-st" + std::to_string(k) + "-r" + std::to_string(i);
        if (::mkfifo(fifo.c_str(), 0600) != 0) throw std::runtime_error("mkfifo " + fifo + " failed");
        fifos[std::size_t(i)].push_back(fifo);
        barrier = "sh read go < '" + fifo + "'\n";
      }
      // A share gone away asks about the number file and the log in use:
      // the station goes on without them.
      script += EventScript(Tag(k, i), events[std::size_t(i)], barrier + (o.flap ? "answer No No\n" : ""));
    }
    if (o.flap)
      script += "sh while [ ! -e '" + work.path + "/restored' ]; do sleep 0.05; done\nadvance 1000\ntick Timer1\n" +
                "get backlogEvents\n";
    for (const std::string& name : known) script += "get " + name + "\n";
    WriteFile(root + "/script.rvk", script);
  }

  std::printf("ruvek-stress: %d stations x %d events on one data directory (%s, seed %u)\n", o.stations, o.events,
              o.rounds ? "same instant" : "back to back", o.seed);
  std::fflush(stdout);
  const auto start = std::chrono::steady_clock::now();
  const auto deadline = start + o.timeout;
  std::vector<Child> children;
  children.reserve(roots.size());
  for (const std::string& root : roots)
    children.emplace_back(
        ChildSpec{HeadlessArgs(o.exe, root, root + "/script.rvk"), {}, root + "/out.txt", root + "/err.txt"});
  int released = 0, outages = 0;
  if (o.flap) {
    // Every station has finished its events (or ended): the share comes back for good.
    const auto finished = [&] {
      for (std::size_t k = 0; k < roots.size(); ++k)
        if (children[k].running() &&
            ReadFile(roots[k] + "/out.txt").find("DONE " + Tag(int(k) + 1, o.events - 1) + "\n") == std::string::npos)
          return std::chrono::steady_clock::now() > deadline;
      return true;
    };
    outages = Flap(share + "/DATA", rng, finished);
    WriteFile(work.path + "/restored", "");
  }
  for (auto& round : fifos) {
    if (!ReleaseRound(children, round, deadline)) {
      // A station that ended or hung leaves the other waiting for ever.
      for (Child& c : children) c.kill();
      break;
    }
    ++released;
  }
  std::vector<ExitStatus> status;
  for (Child& c : children)
    status.push_back(c.wait(std::chrono::duration_cast<std::chrono::milliseconds>(
        std::max(deadline - std::chrono::steady_clock::now(), std::chrono::steady_clock::duration(0)))));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  // What each station did, and its logs: the network logs hold every event,
  // the local logs of a station its own.
  const std::string data = share + "/DATA";
  std::vector<std::string> failures, outputs;
  std::set<std::string> allTags;
  std::size_t finished = 0;
  std::vector<Row> rows(6);
  for (int k = 1; k <= o.stations; ++k) {
    const std::string& root = roots[std::size_t(k - 1)];
    outputs.push_back(ReadFile(root + "/out.txt"));
    const std::set<std::string> done = DoneTags(outputs.back());
    finished += done.size();
    std::set<std::string> own;
    for (int i = 0; i < o.events; ++i) own.insert(Tag(k, i));
    allTags.insert(own.begin(), own.end());
    const ExitStatus& s = status[std::size_t(k - 1)];
    if (!s.exited || s.code != 0 || done.size() != own.size()) {
      const std::string err = ReadFile(root + "/err.txt");
      failures.push_back("station " + std::to_string(k) + ": " + s.describe() + ", " + std::to_string(done.size()) +
                         " events finished" + (err.empty() ? "" : ": " + Shorten(err)));
    }
    const std::vector<LogAudit> local = AuditLocal(LogPaths(root, data));
    for (std::size_t j = 0; j < local.size(); ++j) {
      rows[3 + j].name = local[j].name + " (" + std::to_string(o.stations) + " stations)";
      rows[3 + j].add(local[j], Cover(local[j], own));
    }
  }
  const std::vector<LogAudit> network = AuditNetwork(LogPaths(roots.front(), data));
  for (std::size_t j = 0; j < network.size(); ++j) {
    rows[j].name = network[j].name;
    rows[j].add(network[j], Cover(network[j], allTags));
  }
  rows[2].html = rows[5].html = true;
  std::set<std::string> withShare;
  for (const std::string& out : outputs) {
    const std::set<std::string> tags = TagsWithShare(out);
    withShare.insert(tags.begin(), tags.end());
  }
  // With a flapping share only the events recorded while it was there must
  // have numbers of their own; the others are named when they are forwarded.
  const std::size_t duplicates = o.flap ? DuplicateNumbersOf(network[0], withShare) : DuplicateNumbers(network[0]);

  const std::size_t total = std::size_t(o.stations) * std::size_t(o.events);
  std::printf("  wall time %.2f s, %.1f events/s; %zu of %zu Record Event finished\n", seconds,
              double(finished) / seconds, finished, total);
  if (o.flap) {
    std::size_t waiting = 0;
    for (const std::string& out : outputs)
      if (const std::size_t at = out.rfind("backlogEvents="); at != std::string::npos)
        waiting += std::size_t(std::atol(out.c_str() + at + 14));
    std::printf("  share outages: %d; events recorded with the share there: %zu of %zu; still waiting: %zu\n", outages,
                withShare.size(), total, waiting);
    std::printf("  numbers used twice in all (events saved locally included): %zu\n", DuplicateNumbers(network[0]));
    if (waiting) failures.push_back(std::to_string(waiting) + " events still wait in a backlog");
  }
  std::printf("  duplicate event numbers in the network Events.csv%s: %zu\n",
              o.flap ? " among events recorded with the share there" : "", duplicates);
  PrintRows(rows);
  std::printf("  lock waits: %s, stale-lock takeovers: %s\n", LockFigure(known, "lockWaits", outputs).c_str(),
              LockFigure(known, "lockTakeovers", outputs).c_str());
  if (duplicates) failures.push_back(std::to_string(duplicates) + " duplicate event numbers");
  for (const Row& r : rows)
    if (!r.ok()) failures.push_back(r.name + " is not exactly one whole row per event");

  if (o.rounds) {
    // The number each station gave its event of a round, from its own event log.
    const std::vector<LogAudit> first = AuditLocal(LogPaths(roots[0], data));
    const std::vector<LogAudit> second = AuditLocal(LogPaths(roots[1], data));
    int shared = 0;
    for (int i = 0; i < o.rounds; ++i) {
      auto a = first[0].numbersOfTag.find(Tag(1, i)), b = second[0].numbersOfTag.find(Tag(2, i));
      if (a != first[0].numbersOfTag.end() && b != second[0].numbersOfTag.end() && a->second[0] == b->second[0])
        ++shared;
    }
    std::printf("  rounds released together: %d of %d; rounds sharing a number: %d\n", released, o.rounds, shared);
    if (shared) failures.push_back(std::to_string(shared) + " rounds share a number");
    if (released != o.rounds) failures.push_back("only " + std::to_string(released) + " rounds released");
  }
  if (work.keep) std::printf("  stations kept in %s\n", work.path.c_str());
  if (failures.empty()) {
    std::printf("PASS\n");
    return 0;
  }
  std::printf("FAIL\n");
  for (const std::string& f : failures) std::printf("  %s\n", f.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Args args(argc, argv,
                    {"--stations", "--events", "--rounds", "--exe", "--keep", "--seed", "--timeout", "--share"},
                    {"--flap"});
    Options o;
    o.rounds = int(args.number("--rounds", 0));
    o.stations = o.rounds ? 2 : int(args.number("--stations", o.stations));
    o.events = o.rounds ? o.rounds : int(args.number("--events", o.events));
    o.seed = unsigned(args.number("--seed", o.seed));
    o.flap = args.has("--flap");
    if (o.flap && o.rounds) throw std::invalid_argument("--flap and --rounds do not go together");
    o.exe = args.text("--exe", o.exe);
    o.keep = args.text("--keep", "");
    o.share = args.text("--share", "");
    o.timeout = std::chrono::seconds(args.number("--timeout", o.timeout.count()));
    if (o.stations < 1 || o.events < 1) throw std::invalid_argument("at least one station and one event");
    if (args.has("--rounds") && args.has("--stations") && args.number("--stations", 2) != 2)
      throw std::invalid_argument("--rounds runs two stations");
    return Run(o);
  } catch (const std::exception& e) {
    std::cerr << "ruvek-stress: " << e.what() << "\n" << kUsage;
    return 2;
  }
}
