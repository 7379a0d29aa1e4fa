// The cruise map and the GIS export run headless: the file dialog's answer
// names the file, its extension the kind; what each answer writes and says.
#include <gtest/gtest.h>

#include "e2e/EventLogCheck.h"
#include "e2e/Station.h"

namespace ruvek::test {
namespace {

TEST(CruiseMapHeadless, TheFileDialogsAnswerPicksWhatIsWrittenAndTheMessageSaysSo) {
  struct Case {
    const char* click;
    const char* file;
    const char* said;     // a line of the output
    const char* written;  // the start of the file written, or nothing
  };
  const Case cases[] = {
      {"mnuExportGis", "C:\\DATA\\c.geojson",
       "3 events written to C:\\DATA\\c.geojson. 1 event without a position left out.",
       R"({"type":"FeatureCollection","name":"0708SR")"},
      {"mnuExportGis", "C:\\DATA\\c.KML", "3 events written to C:\\DATA\\c.KML.", "<?xml"},
      {"mnuExportGis", "C:\\DATA\\c.txt", "Choose a file ending in .geojson or .kml for C:\\DATA\\c.txt", nullptr},
      {"frmCruiseMap.mnuSaveAs", "C:\\DATA\\map.svg", "frmCruiseMap.lblStatus=Map saved to C:\\DATA\\map.svg",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg"},
      {"frmCruiseMap.mnuSaveAs", "C:\\DATA\\map.png", "PNG pictures are drawn by the desktop", nullptr},
  };
  Station st;
  st.seed();
  std::string log;
  for (const char* pos : {"32.5,-118.0", "-99,-99", "32.6,-118.1", "32.7,-118.2"})
    log += std::string("0708SR,1,93.3,26.7,93.3,26.8,08-Jun-2026,03:00:00,") + pos +
           ",CTD,CTD Deployed,ABC,08-Jun-2026,11:00:00,,5" + EmptyTail() + "\r\n";
  st.write("C:\\DATA\\0708SREvents.csv", log);
  for (const Case& c : cases) {
    const auto r = st.run(std::string("answer Yes\nstart\nclick mnuCruiseMap\nfile ") + c.file + "\nclick " + c.click +
                          "\nget frmCruiseMap.lblStatus\n");
    ASSERT_EQ(0, r.code) << r.err;
    EXPECT_NE(std::string::npos, r.out.find(c.said)) << r.out;
    EXPECT_EQ(c.written != nullptr, st.exists(c.file)) << c.file;
    if (c.written) {
      EXPECT_EQ(0u, st.read(c.file).rfind(c.written, 0)) << st.read(c.file).substr(0, 200);
    }
  }
  // The map counts what it shows.
  EXPECT_NE(std::string::npos, st.run("answer Yes\nstart\nclick mnuCruiseMap\nget frmCruiseMap.lblStatus\n")
                                   .out.find("lblStatus=3 events, 1 without a position"));
}

}  // namespace
}  // namespace ruvek::test
