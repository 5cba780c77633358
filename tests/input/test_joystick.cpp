// Opening joysticks and polling them, through the scripted stand-in.
#include "input/joystick.h"
#include "support/joyport_fake.h"
#include <cstring>
#include <gtest/gtest.h>

namespace {

class Joystick : public ::testing::Test {
protected:
  void SetUp() override {
    joyport_fake_reset();
    std::memset(joystick, 0, sizeof joystick);
  }
};

} // namespace

TEST_F(Joystick, NoDevicesNoSlots) {
  EXPECT_EQ(joystick_init(), 1);
  EXPECT_EQ(joyport_fake_init_calls(), 1);
  EXPECT_EQ(joystick_count, 0);
  EXPECT_EQ(joystick_slot_of_device(0), -1);
  joystick_update(); // nothing to poll
}

TEST_F(Joystick, OpeningFillsSlotsInOrderAndSkipsFailures) {
  joyport_fake_add(4, 3);
  joyport_fake_add(2, 8, true);
  joyport_fake_add(5, 5);
  joystick[1].x = 77; // records keep their values across opening
  EXPECT_EQ(joystick_init(), 1);
  ASSERT_EQ(joystick_count, 2);
  EXPECT_EQ(joystick[0].buttons, 3);
  EXPECT_EQ(sdl_joystick_sticks[0], 2);
  EXPECT_EQ(joystick[1].buttons, 5);
  EXPECT_EQ(sdl_joystick_sticks[1], 2);
  EXPECT_EQ(joystick[1].x, 77);
  EXPECT_EQ(joystick_slot_of_device(0), 0);
  EXPECT_EQ(joystick_slot_of_device(1), -1);
  EXPECT_EQ(joystick_slot_of_device(2), 1);
  EXPECT_FALSE(joyport_fake_is_open(1));

  joystick_done();
  EXPECT_FALSE(joyport_fake_is_open(0));
  EXPECT_FALSE(joyport_fake_is_open(2));
}

TEST_F(Joystick, SixteenSlotsAtMost) {
  for (int i = 0; i < 17; i++) joyport_fake_add(2, 1);
  joystick_init();
  EXPECT_EQ(joystick_count, 16);
  for (int i = 0; i < 16; i++) EXPECT_TRUE(joyport_fake_is_open(i)) << i;
  EXPECT_FALSE(joyport_fake_is_open(16));
  EXPECT_EQ(joystick_slot_of_device(15), 15);
  EXPECT_EQ(joystick_slot_of_device(16), -1);
}

TEST_F(Joystick, PollingReadsWholeSticksOnly) {
  const int three = joyport_fake_add(3, 1); // one stick: axes 0 and 1
  const int one = joyport_fake_add(1, 0);   // no stick at all
  joystick_init();
  ASSERT_EQ(joystick_count, 2);
  EXPECT_EQ(sdl_joystick_sticks[0], 1);
  EXPECT_EQ(sdl_joystick_sticks[1], 0);
  joyport_fake_set_axis(three, 0, 100);
  joyport_fake_set_axis(three, 1, -50);
  joyport_fake_set_axis(three, 2, 30000);
  joyport_fake_set_axis(one, 0, 5000);
  joystick[1].x = 9; // polling starts from neutral
  joystick_update();
  EXPECT_EQ(joystick[0].x, 100);
  EXPECT_EQ(joystick[0].y, -50);
  EXPECT_EQ(joystick[1].x, 0);
  EXPECT_EQ(joystick[1].y, 0);
}

TEST_F(Joystick, PollingKeepsTheStrongestDeflection) {
  const int d = joyport_fake_add(4, 2);
  joystick_init();
  joyport_fake_set_axis(d, 0, -20000);
  joyport_fake_set_axis(d, 1, 0);
  joyport_fake_set_axis(d, 2, 20000);
  joyport_fake_set_axis(d, 3, 5);
  joystick_update();
  EXPECT_EQ(joystick[0].x, -20000); // equal magnitude: the lower stick wins
  EXPECT_EQ(joystick[0].y, 5);

  joyport_fake_set_axis(d, 0, 3);
  joyport_fake_set_axis(d, 2, -4);
  joystick_update();
  EXPECT_EQ(joystick[0].x, -4);
}

TEST_F(Joystick, PollingFireIsAnyButton) {
  const int d = joyport_fake_add(2, 4);
  joystick_init();
  joystick[0].fire = 1;
  joystick_update();
  EXPECT_EQ(joystick[0].fire, 0);
  joyport_fake_set_button(d, 3, true);
  joystick_update();
  EXPECT_EQ(joystick[0].fire, 1);
  joyport_fake_set_button(d, 3, false);
  joyport_fake_set_button(d, 0, true);
  joystick_update();
  EXPECT_EQ(joystick[0].fire, 1);
}
