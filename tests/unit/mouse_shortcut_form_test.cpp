#include <gtest/gtest.h>

#include <functional>

#include "triggers/mouse_corner.h"
#include "triggers/mouse_shortcut_form.h"

namespace dpx {
namespace {

TEST(SpinFieldTest, ValuesAreClampedWhenSetAndWhenTheFieldLosesTheFocus) {
  SpinField hover{0, 30000, 100};
  const struct {
    const wchar_t* typed;
    int value;
    const wchar_t* afterFocusLoss;
  } cases[] = {
      {L"12345", 12345, L"12345"},
      {L"99999", 30000, L"30000"},
      {L"-7", 0, L"0"},
      {L" 250 ", 250, L"250"},
      {L"+30000", 30000, L"30000"},
      {L"abc", 0, L"0"},
      {L"12a", 0, L"0"},
      {L"", 0, L"0"},
      {L"-", 0, L"0"},
      {L"99999999999999999999999", 30000, L"30000"},
  };
  for (const auto& c : cases) {
    hover.SetText(c.typed);
    EXPECT_EQ(hover.Text(), c.typed);  // left as typed while the user is in the field
    EXPECT_EQ(hover.Value(), c.value) << "typed '" << c.typed << "'";
    hover.LoseFocus();
    EXPECT_EQ(hover.Text(), c.afterFocusLoss) << "typed '" << c.typed << "'";
  }

  hover.SetValue(50000);
  EXPECT_EQ(hover.Text(), L"30000");
  hover.SetValue(-1);
  EXPECT_EQ(hover.Text(), L"0");
}

TEST(SpinFieldTest, StepsStayInRange) {
  SpinField hover{0, 30000, 100};
  hover.SetValue(29950);
  hover.StepUp();
  EXPECT_EQ(hover.Value(), 30000);
  hover.SetValue(50);
  hover.StepDown();
  EXPECT_EQ(hover.Value(), 0);
  hover.SetValue(500);
  hover.StepUp();
  EXPECT_EQ(hover.Value(), 600);

  SpinField zone{0, 200, 1};
  zone.SetValue(199);
  zone.StepUp();
  zone.StepUp();
  EXPECT_EQ(zone.Text(), L"200");
}

TEST(CornerChoiceTest, TheFourBoxesAreOneChoice) {
  CornerChoice corners;
  const auto checked = [&corners] {
    std::string boxes;
    for (int box = 0; box < CornerChoice::kCorners; ++box)
      boxes += corners.IsChecked(box) ? 'x' : '.';
    return boxes;
  };
  corners.Load(3);
  EXPECT_EQ(checked(), "...x");
  corners.Click(1);
  EXPECT_EQ(checked(), ".x..");
  corners.Click(1);  // a click on the checked box keeps it checked
  EXPECT_EQ(checked(), ".x..");
  EXPECT_EQ(corners.Chosen(), std::uint8_t{1});
  corners.Click(4);  // no such box
  EXPECT_EQ(checked(), ".x..");
  corners.Load(7);
  EXPECT_EQ(checked(), "....");
  EXPECT_EQ(corners.Chosen(), std::nullopt);
}

// Runs a script against the form the dialog shows, then closes it with Ok or Cancel.
class ScriptedDialog final : public MouseShortcutDialog {
 public:
  ScriptedDialog(bool ok, std::function<void(MouseShortcutForm&)> script)
      : ok_(ok), script_(std::move(script)) {}
  bool ShowModal(MouseShortcutForm& form) override {
    script_(form);
    return ok_;
  }

 private:
  bool ok_;
  std::function<void(MouseShortcutForm&)> script_;
};

TEST(MouseShortcutEditTest, OkTakesTheClampedValuesAndKeepsAnUnchosenCorner) {
  CornerOption option{true, 20, 50000, 7};
  TMouseShortcutInfo info{option};
  info.HoverStart = 1234;
  ScriptedDialog ok(true, [](MouseShortcutForm& form) {
    EXPECT_EQ(form.hoverInterval.Text(), L"30000");
    EXPECT_EQ(form.zoneSize.Text(), L"20");
    EXPECT_EQ(form.corners.Chosen(), std::nullopt);  // corner 7 has no box
  });
  EXPECT_TRUE(info.Edit(ok));
  EXPECT_EQ(option.hoverInterval, 30000);
  EXPECT_EQ(option.zoneSize, 20);
  EXPECT_EQ(option.corner, 7);
  EXPECT_EQ(info.HoverStart, 1234u);
}

TEST(MouseShortcutEditTest, OkTakesTheEditsAndCancelKeepsEverything) {
  CornerOption option{false, 20, 500, 3};
  TMouseShortcutInfo info{option};
  const auto edit = [](MouseShortcutForm& form) {
    EXPECT_TRUE(form.corners.IsChecked(3));
    form.corners.Click(0);
    form.hoverInterval.SetText(L"1500");
    form.zoneSize.SetText(L"500");  // Ok pressed while still in the field
  };
  ScriptedDialog cancel(false, edit);
  EXPECT_FALSE(info.Edit(cancel));
  EXPECT_EQ(option.corner, 3);
  EXPECT_EQ(option.hoverInterval, 500);
  EXPECT_EQ(option.zoneSize, 20);

  ScriptedDialog ok(true, edit);
  EXPECT_TRUE(info.Edit(ok));
  EXPECT_EQ(option.corner, 0);
  EXPECT_EQ(option.hoverInterval, 1500);
  EXPECT_EQ(option.zoneSize, 200);
}

}  // namespace
}  // namespace dpx
