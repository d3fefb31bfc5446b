#include <gtest/gtest.h>

#include <stdexcept>

#include "actions/sound_action.h"
#include "actions/sound_test.h"
#include "fakes/simulated_audio.h"

namespace dpx {
namespace {

constexpr float kUserLevel = 0.8f;  // 52428 as a volume value

class SoundActionTest : public ::testing::Test {
 protected:
  SoundActionTest() {
    speakers = audio.AddDevice({kUserLevel, false});
    options.modifyVolume = true;
    options.volume = 16384;
    options.volumeMuted = true;
  }

  void Hide() {
    sound.SaveCurrentVolume();
    sound.ApplyDesiredVolume();
  }
  fakes::SimAudioDevice& Speakers() { return audio.Device(speakers); }

  fakes::SimulatedAudio audio;
  Options options;
  SoundAction sound{audio, options};
  int speakers = 0;
};

TEST_F(SoundActionTest, HideSetsTheDesiredStateAndRestorePutsTheSavedOneBack) {
  Hide();
  EXPECT_EQ(sound.saved(), (VolumeState{52428, false}));
  EXPECT_EQ(VolumeFromLevel(Speakers().level), 16384);
  EXPECT_TRUE(Speakers().muted);

  sound.RestoreSavedVolume();
  EXPECT_EQ(VolumeFromLevel(Speakers().level), 52428);
  EXPECT_FALSE(Speakers().muted);
}

TEST_F(SoundActionTest, TheJournalGetsThePairOnlyWhileARestoreIsDueAndARecoveryPutsItBack) {
  EXPECT_FALSE(sound.VolumeToPutBack());
  Hide();
  EXPECT_EQ(sound.VolumeToPutBack(), (VolumeState{52428, false}));
  Speakers().levelSetFails = true;  // as under Wine: nothing was changed, nothing to put back
  Hide();
  EXPECT_FALSE(sound.VolumeToPutBack());

  Speakers().levelSetFails = false;
  sound.PutBackVolume({52428, false});
  EXPECT_EQ(VolumeFromLevel(Speakers().level), 52428);
  EXPECT_FALSE(Speakers().muted);
}

TEST_F(SoundActionTest, CurrentVolumeReadsTheDefaultEndpoint) {
  Speakers().muted = true;
  EXPECT_EQ(sound.CurrentVolume(), (VolumeState{52428, true}));
  Speakers().muteReadFails = true;
  EXPECT_EQ(sound.CurrentVolume(), std::nullopt);
  audio.SetDefault(std::nullopt);
  EXPECT_EQ(sound.CurrentVolume(), std::nullopt);
}

// "Modify sound" is read at the apply and again at the restore; the save ignores it.
TEST_F(SoundActionTest, ModifySoundDecidesAtHideAndAtRestore) {
  struct Case {
    const char* name;
    bool atHide;
    bool atRestore;
    bool setWhileHidden;
    bool restored;
  };
  const Case cases[] = {
      {"checked throughout", true, true, true, true},
      {"cleared throughout", false, false, false, false},
      {"cleared during hide mode", true, false, true, false},
      // The hide changed nothing, so there is nothing of its own to put back.
      {"checked only during hide mode", false, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::SimulatedAudio machine;
    const int device = machine.AddDevice({kUserLevel, false});
    Options opts;
    opts.volume = 0;
    opts.volumeMuted = true;
    SoundAction action(machine, opts);

    opts.modifyVolume = c.atHide;
    action.SaveCurrentVolume();
    action.ApplyDesiredVolume();
    EXPECT_EQ(action.saved(), (VolumeState{52428, false}));
    EXPECT_EQ(machine.Device(device).muted, c.setWhileHidden);

    // The user turns the volume down by hand while hidden.
    machine.Device(device).level = 0.1f;
    opts.modifyVolume = c.atRestore;
    action.RestoreSavedVolume();
    EXPECT_EQ(machine.Device(device).level, c.restored ? LevelFromVolume(52428) : 0.1f);
  }
}

TEST_F(SoundActionTest, RestoreAfterAHideWhoseSaveFoundNoEndpointLeavesTheVolumeAlone) {
  Hide();  // an earlier hide leaves a pair behind
  sound.RestoreSavedVolume();
  ASSERT_EQ(sound.saved(), (VolumeState{52428, false}));

  audio.SetDefault(std::nullopt);
  Hide();
  audio.SetDefault(speakers);
  Speakers().level = 0.3f;
  sound.RestoreSavedVolume();
  EXPECT_EQ(Speakers().level, 0.3f);
  EXPECT_EQ(audio.log().size(), 4u) << "only the first hide and restore set anything";
}

TEST_F(SoundActionTest, FailedReadsAtHideLeaveTheSavedPairAndTheRestoreAlone) {
  for (bool levelFails : {true, false}) {
    SCOPED_TRACE(levelFails ? "level read fails" : "mute read fails");
    fakes::SimulatedAudio machine;
    const int device = machine.AddDevice({kUserLevel, false});
    machine.Device(device).levelReadFails = levelFails;
    machine.Device(device).muteReadFails = !levelFails;
    SoundAction action(machine, options);

    action.SaveCurrentVolume();
    action.ApplyDesiredVolume();
    EXPECT_EQ(action.saved(), VolumeState{});
    EXPECT_TRUE(machine.Device(device).muted) << "the privacy setting still applies";
    action.RestoreSavedVolume();
    EXPECT_TRUE(machine.Device(device).muted) << "no level 0 written over the user's own";
  }
}

TEST_F(SoundActionTest, AMachineWithoutCoreAudioSkipsTheSoundStep) {
  audio.RemoveCoreAudio();
  EXPECT_NO_THROW(Hide());
  EXPECT_NO_THROW(sound.RestoreSavedVolume());
  EXPECT_EQ(sound.CurrentVolume(), std::nullopt);
  EXPECT_NO_THROW(sound.TestDesiredVolume());
  EXPECT_EQ(audio.log(), (std::vector<std::wstring>{L"play C:\\Windows\\media\\tada.wav"}));
}

TEST_F(SoundActionTest, AFailedLevelSetLeavesMuteAlone) {
  Speakers().levelSetFails = true;
  Hide();
  EXPECT_FALSE(Speakers().muted);
  EXPECT_EQ(Speakers().level, kUserLevel);

  Speakers().levelSetFails = false;
  sound.RestoreSavedVolume();
  EXPECT_TRUE(audio.log().empty()) << "the hide changed nothing, the restore has nothing to do";
}

TEST_F(SoundActionTest, AFailedMuteSetStillCountsAsAChangeToPutBack) {
  Speakers().muteSetFails = true;
  Hide();
  EXPECT_EQ(VolumeFromLevel(Speakers().level), 16384);
  sound.RestoreSavedVolume();
  EXPECT_EQ(VolumeFromLevel(Speakers().level), 52428);
}

TEST_F(SoundActionTest, RestoreActsOnTheDefaultDeviceOfTheMoment) {
  Hide();
  const int headset = audio.AddDevice({0.2f, true});
  audio.SetDefault(headset);
  sound.RestoreSavedVolume();
  EXPECT_EQ(VolumeFromLevel(audio.Device(headset).level), 52428);
  EXPECT_FALSE(audio.Device(headset).muted);
  EXPECT_EQ(VolumeFromLevel(Speakers().level), 16384) << "the old default keeps the hide's level";
}

TEST_F(SoundActionTest, TheTestPlaysAtTheDesiredStateAndPutsTheOldOneBack) {
  options.modifyVolume = false;  // the test acts whatever the box says
  sound.TestDesiredVolume();
  ASSERT_EQ(audio.stateWhilePlaying().size(), 1u);
  EXPECT_EQ(VolumeFromLevel(audio.stateWhilePlaying()[0].level), 16384);
  EXPECT_TRUE(audio.stateWhilePlaying()[0].muted);
  EXPECT_EQ(VolumeFromLevel(Speakers().level), 52428);
  EXPECT_FALSE(Speakers().muted);
  EXPECT_EQ(audio.log()[2], L"play C:\\Windows\\media\\tada.wav");
}

TEST_F(SoundActionTest, TheTestWithoutAnEndpointStillPlays) {
  audio.SetDefault(std::nullopt);
  sound.TestDesiredVolume();
  EXPECT_EQ(audio.log(), (std::vector<std::wstring>{L"play C:\\Windows\\media\\tada.wav"}));
}

TEST_F(SoundActionTest, ATestInHideModeOverwritesThePairTheHideSaved) {
  Hide();
  Speakers().level = LevelFromVolume(30000);  // the user changes the level while hidden
  Speakers().muted = false;
  sound.TestDesiredVolume();
  EXPECT_EQ(sound.saved(), (VolumeState{30000, false}));
  EXPECT_EQ(VolumeFromLevel(Speakers().level), 30000);

  sound.RestoreSavedVolume();
  EXPECT_EQ(VolumeFromLevel(Speakers().level), 30000) << "not the 52428 in force before the hide";
}

// The Sound page's controls as the test holds them.
class FakeSoundTestControls final : public SoundTestControls {
 public:
  std::wstring caption = L"Test desired volume settings";
  bool modifyChecked = false;
  bool modifyEnabled = true;

  std::wstring TestButtonCaption() override { return caption; }
  void SetTestButtonCaption(const std::wstring& text) override { caption = text; }
  bool ModifySoundChecked() override { return modifyChecked; }
  void SetModifySoundChecked(bool checked) override { modifyChecked = checked; }
  void EnableModifySound(bool enabled) override { modifyEnabled = enabled; }
};

TEST_F(SoundActionTest, TheTestButtonHoldsItsControlsWhileTheSoundPlays) {
  for (bool checkedBefore : {false, true}) {
    SCOPED_TRACE(checkedBefore);
    FakeSoundTestControls controls;
    controls.modifyChecked = checkedBefore;
    std::wstring captionWhilePlaying;
    bool checkedWhilePlaying = false;
    bool enabledWhilePlaying = true;
    audio.onPlay = [&] {
      captionWhilePlaying = controls.caption;
      checkedWhilePlaying = controls.modifyChecked;
      enabledWhilePlaying = controls.modifyEnabled;
    };

    RunSoundTest(sound, controls);
    EXPECT_EQ(captionWhilePlaying, L"Playing sound. Please wait...");
    EXPECT_TRUE(checkedWhilePlaying);
    EXPECT_FALSE(enabledWhilePlaying);
    EXPECT_EQ(controls.caption, L"Test desired volume settings");
    EXPECT_EQ(controls.modifyChecked, checkedBefore);
    EXPECT_TRUE(controls.modifyEnabled);
  }
}

TEST_F(SoundActionTest, TheTestButtonGivesItsControlsBackWhenTheTestFails) {
  FakeSoundTestControls controls;
  audio.onPlay = [] { throw std::runtime_error("no sound"); };
  EXPECT_THROW(RunSoundTest(sound, controls), std::runtime_error);
  EXPECT_EQ(controls.caption, L"Test desired volume settings");
  EXPECT_FALSE(controls.modifyChecked);
  EXPECT_TRUE(controls.modifyEnabled);
}

}  // namespace
}  // namespace dpx
