// ruvek-crash: a headless station recording in a loop is killed (SIGKILL) at
// random moments, or - through the preloaded CrashShim library - right before
// and right after each call by which it changes a file. After each kill the
// station's files are checked, then the station is started again on the same
// folder and records one more event, and the files are checked again.
#include <sys/mount.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <thread>

#include "harness/Args.h"
#include "harness/Command.h"
#include "harness/Cruise.h"
#include "harness/Process.h"

namespace fs = std::filesystem;
using namespace ruvek::harness;
using ruvek::test::Station;
using Clock = std::chrono::steady_clock;

namespace {

const char* const kUsage =
    "usage: ruvek-crash [--kills K] [--each-call] [--full-drive] [--events E] [--seed S] [--exe PATH]\n"
    "                   [--shim PATH] [--keep DIR] [--timeout SECONDS]\n"
    "  --kills K: K kills at random moments of a station recording E events (default 20).\n"
    "  --each-call: a kill before and after each file-changing call of an E-event run (default 2).\n"
    "  --full-drive: record E events (default 150) onto small tmpfs data drives (needs the right to mount).\n";

// The events recorded in turn: an arrival counts the order-occupied file up,
// the capital CTD events write the CTD-at-depth file.
const std::vector<std::string> kCycle = {"Station Arrival", "CTD DEPLOYED", "CTD AT DEPTH",
                                         "CTD RECOVERED",   "Bongo",        "Station Departure"};
const char* const kRestartTag = "restart";

// What is checked after each kill, in report order.
const char* const kOneLine = "one-line files whole (CR LF)";
const char* const kTorn = "no torn CSV line";
const char* const kHeader = "CSV headers first and once";
const char* const kHead = "HTML logs have their head";
const char* const kEnd = "HTML logs have their end";
const char* const kFinished = "finished events in every log";
const char* const kOnce = "no event twice in a log";
const char* const kRestarts = "restart records its event";
const char* const kNumbers = "no event number twice";
const char* const kRunEnds = "station ends by itself, exit code 0";
const char* const kNewNumber = "restart event gets an unused number";
const char* const kStray = "no stray files after the restart";
const char* const kAfter = ", after the restart";

std::vector<std::string> InvariantOrder() {
  std::vector<std::string> order = {kOneLine, kTorn, kHeader, kHead, kEnd, kFinished, kOnce, kRestarts};
  for (const char* name : {kOneLine, kTorn, kHeader, kHead, kEnd, kFinished, kOnce})
    order.push_back(name + std::string(kAfter));
  order.push_back(kNewNumber);
  order.push_back(kStray);
  return order;
}

struct Options {
  long kills = 0;
  bool eachCall = false, fullDrive = false;
  long events = 0;  // 0: the mode's own default
  unsigned seed = 1;
  std::string exe = ruvek::test::TextOf("RUVEK_EXE", RUVEK_EXE), shim = RUVEK_CRASH_SHIM, keep;
  std::chrono::seconds timeout{60};
};

// Invariant -> what was seen, for one station after one kill.
using Findings = std::map<std::string, std::string>;

std::string EventTag(long i) { return "ev" + std::to_string(i); }

std::string RecordingScript(long events) {
  std::string script = StartScript("2026-06-08 03:00:00");
  for (long i = 0; i < events; ++i) script += EventScript(EventTag(i), kCycle[std::size_t(i) % kCycle.size()]);
  return script;
}

// Files a station may hold in its program and data directories; anything else
// left after a restart is debris of the killed run.
bool KnownFile(const std::string& name) {
  static const std::set<std::string> kKnown = {
      "RuvekGPS.cfg",     "CruiseEvents.txt", "Watch.txt",           "CommentOpt.txt",     "Lines.txt",
      "Line93.txt",       "Line90.txt",       "EventNumber.txt",     "OrderOcc.txt",       "0708SREvents.csv",
      "0708SRCruise.csv", "0708SREvents.htm", "0708SRLastEvent.csv", "0708CTDATDEPTH.csv", "0708SREvents.ins"};
  return kKnown.count(name) > 0;
}

void Note(Findings& f, const std::string& invariant, const std::string& what) {
  if (!f.count(invariant)) f[invariant] = what;
}

// The checks of a station's files; `done` holds the events whose Record
// Event finished. `suffix` names the moment in the invariant.
void Inspect(const std::string& root, const std::set<std::string>& done, const std::string& suffix, Findings& f) {
  const LogPaths paths(root, root + "/C/DATA");
  for (const auto& [file, problem] : OneLineProblems(paths)) Note(f, kOneLine + suffix, file + ": " + problem);
  std::vector<LogAudit> logs = AuditLocal(paths);
  for (LogAudit& a : AuditNetwork(paths)) logs.push_back(std::move(a));
  for (const LogAudit& a : logs) {
    const bool html = a.name.find(".htm") != std::string::npos;
    const std::string sample = a.samples.empty() ? "" : ": " + a.samples.front();
    if (!html && a.torn) Note(f, kTorn + suffix, a.name + sample);
    if (!html && a.misplacedHeaders) Note(f, kHeader + suffix, a.name + sample);
    if (html && a.present && !a.headOk) Note(f, kHead + suffix, a.name + (a.rows ? "" : " (no rows)") + sample);
    if (html && a.present && !a.endOk) Note(f, kEnd + suffix, a.name + sample);
    const Coverage c = Cover(a, done, true);
    if (c.missing) Note(f, kFinished + suffix, a.name + " misses " + c.missingTags.front());
    if (c.twice) Note(f, kOnce + suffix, a.name + " holds an event twice");
  }
}

// A fresh station for one kill, under `work`.
std::string FreshStation(const std::string& work, const std::string& name) {
  const std::string root = work + "/" + name;
  fs::remove_all(root);
  Station st(root);
  SeedStation(st, "C:\\DATA\\", kCycle);
  return root;
}

struct RunOutcome {
  ExitStatus status;
  std::set<std::string> done;
  std::string out, err;
};

// Runs `script` on the station as run `name` (its script and output files
// take that name). With `killAfter` the harness kills it then; otherwise it
// runs until it ends, by itself or killed by the preload library.
RunOutcome RunStation(const Options& o, const std::string& root, const std::string& name, const std::string& script,
                      const std::vector<std::string>& env, std::optional<std::chrono::microseconds> killAfter = {}) {
  const std::string base = root + "/" + name;
  WriteFile(base + ".rvk", script);
  RunOutcome r;
  {
    Child child({HeadlessArgs(o.exe, root, base + ".rvk"), env, base + ".out", base + ".err"});
    if (killAfter) {
      std::this_thread::sleep_for(*killAfter);
      r.status = child.kill();
    } else {
      r.status = child.wait(o.timeout);
    }
  }
  r.out = ReadFile(base + ".out");
  r.err = ReadFile(base + ".err");
  r.done = DoneTags(r.out);
  return r;
}

// Checks after the kill, then the restart and the checks after it.
Findings CheckKillAndRestart(const Options& o, const std::string& root, std::set<std::string> done) {
  Findings f;
  Inspect(root, done, "", f);
  const RunOutcome again =
      RunStation(o, root, "restart", StartScript("2026-06-08 05:00:00") + EventScript(kRestartTag, "Bongo"), {});
  if (!again.status.exited || again.status.code != 0 || !again.done.count(kRestartTag)) {
    std::string last = again.err.empty() ? again.out : again.err;
    if (last.size() > 200) last = last.substr(last.size() - 200);
    Note(f, kRestarts, again.status.describe() + ": " + Shorten(last, 200));
  }
  done.insert(again.done.begin(), again.done.end());
  Inspect(root, done, kAfter, f);

  // The restart's event must not take a number the logs already hold.
  const LogPaths paths(root, root + "/C/DATA");
  std::vector<LogAudit> logs = AuditNetwork(paths);
  const std::vector<LogAudit> local = AuditLocal(paths);
  logs.push_back(local[0]);
  for (const LogAudit& a : logs) {
    auto mine = a.numbersOfTag.find(kRestartTag);
    if (mine == a.numbersOfTag.end()) continue;
    for (const auto& [tag, numbers] : a.numbersOfTag)
      if (tag != kRestartTag && std::count(numbers.begin(), numbers.end(), mine->second.front()))
        Note(f, kNewNumber, a.name + ": number " + mine->second.front() + " also on " + tag);
  }
  for (const char* dir : {"/C/DATA", "/C/RuvekGPS"})
    for (const auto& entry : fs::directory_iterator(root + dir))
      if (!KnownFile(entry.path().filename().string()))
        Note(f, kStray, std::string(dir).substr(1) + "/" + entry.path().filename().string());
  return f;
}

// How often each invariant failed, with the first few cases.
class Tally {
 public:
  void add(const std::string& label, const Findings& f) {
    ++trials_;
    for (const auto& [invariant, what] : f) {
      Entry& e = entries_[invariant];
      ++e.count;
      if (e.examples.size() < 4) e.examples.push_back(label + ": " + what);
    }
  }
  bool clean() const { return entries_.empty(); }
  void print(const char* unit, const std::vector<std::string>& invariants = InvariantOrder()) const {
    std::printf("  %-50s %s\n", "invariant", unit);
    for (const std::string& name : invariants) {
      auto it = entries_.find(name);
      std::printf("  %-50s %5zu / %zu\n", name.c_str(), it == entries_.end() ? 0 : it->second.count, trials_);
      if (it != entries_.end())
        for (const std::string& ex : it->second.examples) std::printf("      %s\n", ex.c_str());
    }
  }

 private:
  struct Entry {
    std::size_t count = 0;
    std::vector<std::string> examples;
  };
  std::map<std::string, Entry> entries_;
  std::size_t trials_ = 0;
};

void Discard(const Options& o, const std::string& root) {
  if (o.keep.empty()) fs::remove_all(root);
}

bool RandomKills(const Options& o, const std::string& work) {
  const long events = o.events ? o.events : 20;
  // The time a run of E events takes, start-up included, is the span the kill
  // moments are drawn from; the killed runs go on recording well past it, so
  // that every kill lands while the station works.
  constexpr long kLoopFactor = 10;
  const std::string ref = FreshStation(work, "reference");
  const auto t0 = Clock::now();
  const RunOutcome whole = RunStation(o, ref, "run", RecordingScript(events), {});
  const auto span = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - t0);
  Discard(o, ref);
  std::printf("ruvek-crash: %ld kills at random moments of a station recording %ld events (seed %u)\n", o.kills, events,
              o.seed);
  if (!whole.status.exited || whole.status.code != 0 || long(whole.done.size()) != events) {
    std::printf("  the run without a kill fails already: %s\n%s", whole.status.describe().c_str(), whole.err.c_str());
    return false;
  }

  std::mt19937 rng(o.seed);
  std::uniform_int_distribution<long> moment(0, span.count());
  Tally tally;
  long landed = 0;
  for (long k = 1; k <= o.kills; ++k) {
    const std::string root = FreshStation(work, "kill-" + std::to_string(k));
    const std::chrono::microseconds delay(moment(rng));
    const RunOutcome r = RunStation(o, root, "run", RecordingScript(events * kLoopFactor), {}, delay);
    landed += !r.status.exited;
    char label[80];
    std::snprintf(label, sizeof label, "kill %ld at %.1f ms, %zu events done", k, double(delay.count()) / 1000,
                  r.done.size());
    tally.add(label, CheckKillAndRestart(o, root, r.done));
    Discard(o, root);
  }
  std::printf("  kills drawn over %.1f ms (a run of %ld events); %ld of %ld kills landed while it ran\n",
              double(span.count()) / 1000, events, landed, o.kills);
  tally.print("kills failing");
  return tally.clean();
}

// One line of the shim's count file: "<n> <call> <path>".
struct Call {
  long n = 0;
  std::string what;
};

std::vector<Call> ReadCalls(const std::string& countFile, const std::string& root) {
  std::vector<Call> calls;
  std::istringstream in(ReadFile(countFile));
  std::string line;
  while (std::getline(in, line)) {
    Call c;
    std::istringstream fields(line);
    std::string call, path;
    fields >> c.n >> call;
    std::getline(fields >> std::ws, path);
    if (path.compare(0, root.size() + 1, root + "/") == 0) path = path.substr(root.size() + 1);
    c.what = call + " " + path;
    calls.push_back(c);
  }
  return calls;
}

// The environment of a run under the preload library. A program built with
// AddressSanitizer wants its runtime first among the loaded libraries; the
// library only passes calls on, so that order does not matter here.
std::vector<std::string> ShimEnv(const Options& o, std::vector<std::string> env) {
  const char* asan = std::getenv("ASAN_OPTIONS");
  env.push_back("LD_PRELOAD=" + o.shim);
  env.push_back(std::string("ASAN_OPTIONS=") + (asan ? std::string(asan) + ":" : "") + "verify_asan_link_order=0");
  return env;
}

bool EachCall(const Options& o, const std::string& work) {
  const long events = o.events ? o.events : 2;
  const std::string script = RecordingScript(events);
  if (!fs::exists(o.shim)) {
    std::printf("ruvek-crash: each-call mode skipped: no preload library at %s\n", o.shim.c_str());
    return true;
  }
  const std::string ref = FreshStation(work, "count");
  const std::string countFile = work + "/calls.txt";
  const RunOutcome counted = RunStation(o, ref, "run", script, ShimEnv(o, {"RUVEK_CRASH_COUNT=" + countFile}));
  const std::vector<Call> calls = ReadCalls(countFile, ref);
  Discard(o, ref);
  if (calls.empty() && counted.status.exited && counted.status.code == 0) {
    std::printf("ruvek-crash: each-call mode skipped: LD_PRELOAD of %s takes no effect on %s\n", o.shim.c_str(),
                o.exe.c_str());
    return true;
  }
  std::printf("ruvek-crash: a kill before and after each of the %zu file-changing calls of a %ld-event run\n",
              calls.size(), events);
  if (!counted.status.exited || counted.status.code != 0) {
    std::printf("  the counting run fails already: %s\n%s", counted.status.describe().c_str(), counted.err.c_str());
    return false;
  }

  Tally tally;
  long unreached = 0;
  for (const Call& call : calls) {
    for (const char* when : {"before", "after"}) {
      const std::string root = FreshStation(work, "call-" + std::to_string(call.n) + "-" + when);
      const RunOutcome r =
          RunStation(o, root, "run", script,
                     ShimEnv(o, {"RUVEK_CRASH_AT=" + std::to_string(call.n), std::string("RUVEK_CRASH_WHEN=") + when}));
      // The run must die at that call; one that ends by itself took another path.
      unreached += r.status.exited;
      tally.add(std::string(when) + " #" + std::to_string(call.n) + " " + call.what,
                CheckKillAndRestart(o, root, r.done));
      Discard(o, root);
    }
  }
  if (unreached)
    std::printf("  %ld runs ended without reaching their call (the calls differ from run to run)\n", unreached);
  tally.print("kill points failing");
  return tally.clean();
}

// Records onto a data directory on a small tmpfs until it is full, answering
// No to every retry question, once for each of a range of drive sizes (where
// the drive runs out decides which write meets the end). Checks that no row
// is torn, nothing is lost locally and no number is used twice. Needs the
// right to mount; skipped otherwise.
bool FullDrive(const Options& o, const std::string& work) {
  const long events = o.events ? o.events : 150;
  constexpr int kFirstKiB = 48, kLastKiB = 108, kStepKiB = 4;
  std::string script = StartScript("2026-06-08 03:00:00");
  for (long i = 0; i < events; ++i)
    script += "answer No No No No\n" + EventScript(EventTag(i), kCycle[std::size_t(i) % kCycle.size()]);
  std::printf("ruvek-crash: a station recording %ld events onto a full data drive (tmpfs of %d to %d KiB)\n", events,
              kFirstKiB, kLastKiB);
  Tally tally;
  for (int kib = kFirstKiB; kib <= kLastKiB; kib += kStepKiB) {
    const std::string root = work + "/full-" + std::to_string(kib), data = root + "/C/DATA";
    Station st(root);
    if (::mount("tmpfs", data.c_str(), "tmpfs", 0, ("size=" + std::to_string(kib) + "k").c_str()) != 0) {
      std::printf("  skipped: cannot mount a tmpfs on %s (%s)\n", data.c_str(), std::strerror(errno));
      return true;
    }
    Findings f;
    {
      struct Unmount {
        std::string dir;
        ~Unmount() { ::umount(dir.c_str()); }
      } unmount{data};
      SeedStation(st, "C:\\DATA\\", kCycle);
      const RunOutcome r = RunStation(o, root, "run", script, {});
      if (!r.status.exited || r.status.code != 0) Note(f, kRunEnds, r.status.describe() + ": " + Shorten(r.err));
      const LogPaths paths(root, data);
      for (const auto& [file, problem] : OneLineProblems(paths)) Note(f, kOneLine, file + ": " + problem);
      for (const LogAudit& a : AuditNetwork(paths)) {
        const std::string sample = a.samples.empty() ? "" : ": " + a.samples.front();
        if (a.name.find(".htm") == std::string::npos) {
          if (a.torn) Note(f, kTorn, a.name + sample);
          if (a.misplacedHeaders) Note(f, kHeader, a.name + sample);
        } else {
          if (a.present && !a.headOk) Note(f, kHead, a.name + sample);
          if (a.present && !a.endOk) Note(f, kEnd, a.name + sample);
        }
      }
      const std::vector<LogAudit> local = AuditLocal(paths);
      for (const LogAudit& a : local) {
        const Coverage c = Cover(a, r.done, true);
        if (c.missing) Note(f, kFinished, a.name + " misses " + std::to_string(c.missing) + " events");
      }
      if (const std::size_t dup = DuplicateNumbers(local[0]))
        Note(f, kNumbers, std::to_string(dup) + " rows of the local Events.csv repeat a number");
      if (!o.keep.empty()) fs::copy(data, root + "/DATA-as-left", fs::copy_options::recursive);
    }
    tally.add(std::to_string(kib) + " KiB", f);
    Discard(o, root);
  }
  tally.print("drives failing", {kOneLine, kTorn, kHeader, kHead, kEnd, kFinished, kNumbers, kRunEnds});
  return tally.clean();
}

int Run(const Options& o) {
  std::string work;
  if (!o.keep.empty()) {
    fs::create_directories(o.keep);
    work = fs::absolute(o.keep).string();
  } else {
    std::string tmpl = (fs::temp_directory_path() / "ruvek-crash-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    work = tmpl;
  }
  bool ok = true;
  if (o.kills) ok &= RandomKills(o, work);
  if (o.eachCall) ok &= EachCall(o, work);
  if (o.fullDrive) ok &= FullDrive(o, work);
  if (o.keep.empty()) fs::remove_all(work);
  std::printf(ok ? "PASS\n" : "FAIL\n");
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Args args(argc, argv, {"--kills", "--events", "--seed", "--exe", "--shim", "--keep", "--timeout"},
                    {"--each-call", "--full-drive"});
    Options o;
    o.kills = args.number("--kills", 0);
    o.eachCall = args.has("--each-call");
    o.fullDrive = args.has("--full-drive");
    o.events = args.number("--events", 0);
    o.seed = unsigned(args.number("--seed", o.seed));
    o.exe = args.text("--exe", o.exe);
    o.shim = args.text("--shim", o.shim);
    o.keep = args.text("--keep", "");
    o.timeout = std::chrono::seconds(args.number("--timeout", o.timeout.count()));
    if (!o.kills && !o.eachCall && !o.fullDrive) throw std::invalid_argument("nothing to do");
    return Run(o);
  } catch (const std::exception& e) {
    std::cerr << "ruvek-crash: " << e.what() << "\n" << kUsage;
    return 2;
  }
}
