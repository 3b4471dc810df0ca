// The catalogue shipped in TGF/ loads cleanly and covers what the demo shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/settings.h"
#include "definitions/bak_list.h"
#include "definitions/loader.h"
#include "tests/definitions/test_support.h"

namespace quillet {
namespace {

TEST(ShippedCatalogue, LoadsWithoutAReport) {
  ScratchFolder scratch;
  BoxRecorder recorder;
  // The build copies TGF/ beside this test program.
  std::filesystem::copy(scratch.previous() / "shipped" / "TGF", "TGF");
  for (BakList& slot : DefinitionCatalogue) slot = BakList{};
  definitionCount = 0;

  ASSERT_EQ(LoadDefinitions(), 7);
  EXPECT_TRUE(recorder.boxes.empty());

  std::set<int32_t> genres;
  int direct = 0, maskedOnXp = 0;
  for (int i = 0; i < definitionCount; ++i) {
    const BakList& d = DefinitionCatalogue[i];
    SCOPED_TRACE(d.saveFolder);
    EXPECT_FALSE(d.title.empty());
    EXPECT_EQ(d.title.find('\n'), Text::npos);
    EXPECT_EQ(d.explanation.back(), '\n');
    EXPECT_FALSE(d.saveFolder.empty());
    EXPECT_TRUE(d.contentFlags & kHasFileList);
    EXPECT_EQ(d.archiverSwitch.substr(2), "a -r -x1");
    genres.insert(d.genre);
    if (d.archiverSwitch.compare(0, 2, "10") == 0) ++direct;
    if (d.osMask & kOsXp) ++maskedOnXp;
  }
  EXPECT_EQ(genres, (std::set<int32_t>{kGenreSys, kGenreApp, kGenreGame, kGenreEtc, kGenreUser}));
  EXPECT_EQ(direct, 1);
  EXPECT_EQ(maskedOnXp, 1);
}

}  // namespace
}  // namespace quillet
