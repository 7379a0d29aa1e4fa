#include "e2e/Station.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "harness/Command.h"

namespace fs = std::filesystem;

namespace ruvek::test {
namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

const std::map<int, std::string> kDefaultRows = {
    {1, "Tesmora"},         {2, "0708SR"},           {3, "C:\\DATA\\"},
    {4, "C:\\DATA\\"},      {5, "CruiseEvents.txt"}, {6, "Watch.txt"},
    {7, "EventNumber.txt"}, {8, "CurrPos.txt"},      {9, "15000"},
    {10, "NETWORK"},        {11, "NETWORK"},         {12, "1"},
    {13, "4800,n,8,1"},     {14, "$GPGGA"},          {15, "$GPRMC"},
    {16, "STANDARD"},       {17, "LASTEVENT"},       {18, "CommentOpt.txt"},
    {19, "NUMERIC"},        {20, "SINGLE"},          {21, "PST"}};

}  // namespace

std::string CrLf(std::initializer_list<const char*> lines) {
  std::string out;
  for (const char* l : lines) out += std::string(l) + "\r\n";
  return out;
}

Station::Station() {
  std::string tmpl = (fs::temp_directory_path() / "ruvek-station-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  root_ = tmpl;
  fs::create_directories(root_ + "/C/RuvekGPS");
  fs::create_directories(root_ + "/C/DATA");
}

Station::Station(std::string root) : root_(std::move(root)), owned_(false) {
  fs::create_directories(root_ + "/C/RuvekGPS");
  fs::create_directories(root_ + "/C/DATA");
}

Station::~Station() {
  if (!owned_) return;
  std::error_code ec;
  fs::remove_all(root_, ec);
}

std::string Station::host(const std::string& winPath) const {
  if (!winPath.empty() && winPath[0] == '/') return winPath;
  std::string rest = winPath.substr(2);
  for (char& c : rest)
    if (c == '\\') c = '/';
  return root_ + "/" + char(std::toupper(static_cast<unsigned char>(winPath[0]))) + rest;
}

void Station::write(const std::string& winPath, const std::string& content) const {
  const fs::path p = host(winPath);
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << content;
}

std::string Station::read(const std::string& winPath) const { return Slurp(host(winPath)); }

bool Station::exists(const std::string& winPath) const { return fs::exists(host(winPath)); }

void Station::remove(const std::string& winPath) const {
  std::error_code ec;
  fs::remove_all(host(winPath), ec);
}

void Station::writeConfig(const std::map<int, std::string>& rows) const {
  std::string out;
  for (int n = 1; n <= 21; ++n) {
    auto it = rows.find(n);
    out += (it != rows.end() ? it->second : kDefaultRows.at(n)) + "\r\n";
  }
  write("C:\\RuvekGPS\\RuvekGPS.cfg", out);
}

void Station::seed(const std::map<int, std::string>& rows) const {
  writeConfig(rows);
  write("C:\\RuvekGPS\\CruiseEvents.txt", CrLf({"Station Arrival", "CTD Deployed", "CTD At Depth", "CTD Recovered",
                                                "Bongo", "Manta", "Secchi", "Station Departure"}));
  write("C:\\RuvekGPS\\Watch.txt", CrLf({"ABC", "XYZ"}));
  write("C:\\RuvekGPS\\CommentOpt.txt", CrLf({"Station Type", "Standard", "Prodo", "SCCOOS", "Sea Conditions", "Calm",
                                              "Modrt", "Rough", "Day/Night", "Day", "Night"}));
  write("C:\\RuvekGPS\\Lines.txt", CrLf({"93.3", "90.0", "86.7", "83.3", "80.0"}));
  write("C:\\RuvekGPS\\Line93.txt", CrLf({"26.7", "28.0", "30.0", "35.0", "40.0"}));
  write("C:\\RuvekGPS\\Line90.txt", CrLf({"27.7", "28.0", "30.0", "35.0"}));
  write("C:\\DATA\\EventNumber.txt", CrLf({"10"}));
}

RunResult Station::run(const std::string& script, const std::string& shellSetup) const {
  const std::string scriptPath = root_ + "/script.rvk";
  std::ofstream(scriptPath, std::ios::binary) << script;
  const std::string outPath = root_ + "/out.txt", errPath = root_ + "/err.txt";
  const std::string cmd = (shellSetup.empty() ? "" : shellSetup + "; ") +
                          ShellWords(CommandOf("RUVEK_EXE", RUVEK_EXE)) + " --headless --root '" + root_ +
                          "' --script '" + scriptPath + "' >'" + outPath + "' 2>'" + errPath + "' </dev/null";
  const int status = std::system(cmd.c_str());
  RunResult r;
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = Slurp(outPath);
  r.err = Slurp(errPath);
  return r;
}

}  // namespace ruvek::test
