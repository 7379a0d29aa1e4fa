// The cruise map window on the desktop: the picture painted from the model,
// offscreen, with the seeded events' markers in their classes' colours, and
// saved as PNG bytes.
#include <QImage>
#include <QWidget>

#include "gui/DesktopStation.h"

namespace ruvek::test {
namespace {

using CruiseMapWindowTest = DesktopStation;

TEST_F(CruiseMapWindowTest, PaintsTheEventsInTheirColoursAndGrowsWithItsWindow) {
  std::string log;
  for (int n = 1; n <= 6; ++n)
    log += "0708SR," + std::to_string(n) + ",93.3,26.7,93.3,26.8,08-Jun-2026,03:00:00,3" + std::to_string(n) +
           ".5,-119.5," + (n % 2 ? "CTD" : "BONGO") + ",E,ABC,08-Jun-2026,11:00:00,,5\r\n";
  st.write("C:\\DATA\\0708SREvents.csv", log);
  open();
  ASSERT_TRUE(platform->dispatch([this] { model().menus.cruiseMap.click(); }));
  QWidget* window = view->window("frmCruiseMap");
  ASSERT_NE(nullptr, window);
  window->resize(900, 700);
  window->show();
  QApplication::processEvents();
  auto* map = widget<QWidget>("frmCruiseMap.picMap");
  ASSERT_NE(nullptr, map);
  const ui::Picture& picture = app->station()->cruiseMap.map;
  // The model drew for the widget's own size, which grew with the window.
  EXPECT_EQ(map->width(), picture.drawing.width);
  EXPECT_GT(map->height(), 600);
  const QImage image = map->grab().toImage();
  int ctd = 0, bongo = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y) & 0xffffff;
      ctd += c == 0x1f77b4;
      bongo += c == 0xff7f0e;
    }
  // Three markers of each class and one in the legend: a few pixels each.
  EXPECT_GT(ctd, 4 * 20);
  EXPECT_GT(bongo, 4 * 20);
  const std::string png = *platform->pngOf(picture.drawing);
  EXPECT_EQ("\x89PNG", png.substr(0, 4));
}

}  // namespace
}  // namespace ruvek::test
