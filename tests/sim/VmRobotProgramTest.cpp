// The robot program that Go builds, run by the interpreter on the virtual robot in simulated
// time: the motions, waits, go-to loops, obstacle avoidance, sensor sets and calibration.

#include <gtest/gtest.h>

#include "VmRobotSupport.h"

using namespace sim::vm;
using actions::ActionKind;
using vmtest::RobotProgram;
using vmtest::Turned;

namespace {

constexpr int64_t kStartUs = 3'500'000;  // the program's PAUSE before the robot moves

struct Observed {
  Pose start, end;
  RunState state = RunState::Running;
  int64_t endedAt = -1;
  double minX = 1e9, maxX = -1e9;
  std::vector<std::pair<int64_t, int64_t>> leftPulses;  // time, width
  int64_t firstContact = -1;
  Pose atContact;
  Pose afterContact;  // 1.2 s after the first whisker contact
};

// Runs a built program in a world until it ends (plus a little) or `limitUs` passes.
Observed Drive(const RobotProgram& p, RobotWorld& world, int64_t limitUs = 30'000'000) {
  Observed o;
  const vmtest::Compiled c = vmtest::BuildRobotImage(p);
  EXPECT_TRUE(c.ok) << c.error;
  if (!c.ok) return o;
  world.onPulse = [&o](int64_t us, int pin, int64_t width) {
    if (pin == kLeftServoPin) o.leftPulses.push_back({us, width});
  };
  VirtualRobotRun run(c.image, world);
  o.start = world.pose();
  while (world.time() < limitUs) {
    const RunState state = run.RunFor(2'000);
    if (state != RunState::Running) {
      if (o.endedAt < 0) o.endedAt = run.machine().now();
      run.IdleUntil(world.time() + 2'000);
      if (world.time() > o.endedAt + 200'000) break;
    }
    o.minX = std::min(o.minX, world.pose().x);
    o.maxX = std::max(o.maxX, world.pose().x);
    if (o.firstContact < 0 && (world.leftWhiskerTouches() || world.rightWhiskerTouches())) {
      o.firstContact = world.time();
      o.atContact = world.pose();
    }
    if (o.firstContact >= 0 && world.time() <= o.firstContact + 1'200'000) o.afterContact = world.pose();
  }
  o.state = run.machine().state();
  o.end = world.pose();
  world.onPulse = nullptr;
  return o;
}

double Distance(const Pose& a, const Pose& b) { return std::hypot(b.x - a.x, b.y - a.y); }

TEST(VmRobotProgram, ForwardDrivesItsDurationStraightAndStopsAtTheEnd) {
  RobotProgram p;
  p.main = {{ActionKind::Forward, 12}};
  RobotWorld world;
  world.Place({40, 75, 0});
  const Observed o = Drive(p, world);
  EXPECT_EQ(o.state, RunState::Ended);
  ASSERT_FALSE(o.leftPulses.empty());
  EXPECT_GE(o.leftPulses.front().first, kStartUs);
  // The time at the commanded speed (pulses of 550 + 100 + 200 units) is the step's 1.2 s.
  int64_t first = -1, last = -1;
  for (const auto& [at, width] : o.leftPulses)
    if (width == 2 * 850) {
      if (first < 0) first = at;
      last = at;
    }
  ASSERT_GE(first, 0);
  const double cruise = (last - first) / 1e6 + 0.020;  // the last pulse drives one more cycle
  EXPECT_NEAR(cruise, 1.2, 0.12);
  EXPECT_GT(o.end.x - o.start.x, 15.0);
  EXPECT_NEAR(o.end.y, o.start.y, 0.5);
  EXPECT_NEAR(Turned(o.start.heading, o.end.heading), 0.0, 0.02);
  EXPECT_EQ(world.leftSpeed(), 0.0);  // the servos stop once the pulses stop
  EXPECT_EQ(world.rightSpeed(), 0.0);
}

TEST(VmRobotProgram, EachMotionMovesAsNamed) {
  struct Case {
    const char* name;
    ActionKind kind;
    int dxSign;       // +1 forward, -1 backward, 0 about in place
    int turnSign;     // +1 left (counter-clockwise), -1 right, 0 straight
  } cases[] = {
      {"forward", ActionKind::Forward, 1, 0},      {"backward", ActionKind::Backward, -1, 0},
      {"veer left", ActionKind::TurnLeft, 1, 1},   {"veer right", ActionKind::TurnRight, 1, -1},
      {"rotate left", ActionKind::RotateLeft, 0, 1}, {"rotate right", ActionKind::RotateRight, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RobotProgram p;
    p.main = {{c.kind, 10}};
    RobotWorld world;
    world.Place({100, 75, 0});
    const Observed o = Drive(p, world);
    EXPECT_EQ(o.state, RunState::Ended);
    const double dx = o.end.x - o.start.x, turned = Turned(o.start.heading, o.end.heading);
    if (c.dxSign == 0)
      EXPECT_LT(Distance(o.start, o.end), 3.0);
    else
      EXPECT_GT(dx * c.dxSign, 5.0);
    if (c.turnSign == 0)
      EXPECT_NEAR(turned, 0.0, 0.02);
    else
      EXPECT_GT(turned * c.turnSign, 0.3);
  }
}

TEST(VmRobotProgram, StopAndWaitStandsStillForItsTime) {
  RobotProgram p;
  p.main = {{ActionKind::Forward, 5}, {ActionKind::StopAndWait, 10}, {ActionKind::Forward, 5}};
  RobotWorld world;
  world.Place({40, 75, 0});
  const Observed o = Drive(p, world);
  EXPECT_EQ(o.state, RunState::Ended);
  int64_t longestGap = 0;
  for (size_t i = 1; i < o.leftPulses.size(); ++i)
    longestGap = std::max(longestGap, o.leftPulses[i].first - o.leftPulses[i - 1].first);
  EXPECT_NEAR(longestGap / 1e6, 1.0, 0.1);
  // Before the wait the robot ramped down to the standing pulse.
  bool stoodBeforeWait = false;
  for (size_t i = 1; i < o.leftPulses.size(); ++i)
    if (o.leftPulses[i].first - o.leftPulses[i - 1].first == longestGap) stoodBeforeWait = o.leftPulses[i - 1].second == 1500;
  EXPECT_TRUE(stoodBeforeWait);
}

TEST(VmRobotProgram, GoToRepeatsTheList) {
  RobotProgram p;
  p.main = {{ActionKind::Forward, 3}, {ActionKind::Backward, 3}, {ActionKind::GoToStep, 1}};  // back to step 1
  RobotWorld world;
  world.Place({100, 75, 0});
  const Observed o = Drive(p, world, 20'000'000);
  EXPECT_EQ(o.state, RunState::Running);  // no end: the go-to loops
  // One pass (ramp up, drive, ramp down each way) takes about 2.5 s; 16.5 s hold several.
  EXPECT_GT(o.leftPulses.size(), 600u);
  EXPECT_GT(o.maxX - o.minX, 2.0);
  EXPECT_LT(o.maxX - o.minX, 15.0);  // forward and back again, not away
}

TEST(VmRobotProgram, AvoidanceBacksAndRotatesAwayFromAWhiskerHitAndGoesOn) {
  RobotProgram p;
  p.sensors = true;
  p.main = {{ActionKind::Forward, 60}, {ActionKind::RotateLeft, 5}};
  RobotWorld world;
  world.body().infraredRange = 0;  // whiskers only
  world.Place({160, 75, 0.3});     // at an angle: the right whisker meets the wall first
  const Observed o = Drive(p, world);
  ASSERT_GE(o.firstContact, 0);
  EXPECT_EQ(o.state, RunState::Ended);  // the list went on to its end
  EXPECT_LT(o.end.x, o.maxX - 1.0);     // it backed away from the wall
  EXPECT_LT(o.maxX, world.width() - world.body().bodyRadius + 0.01);
  EXPECT_GT(Turned(o.atContact.heading, o.afterContact.heading), 0.1);  // rotating left, away
}

TEST(VmRobotProgram, SensorSetsRunPerSituation) {
  struct Case {
    const char* name;
    double heading;   // towards the wall at the right edge
    int expectTurn;   // +1 left set (rotate left), -1 right set (rotate right), 0 both set (backward)
  } cases[] = {
      {"right whisker only", 0.3, -1},
      {"left whisker only", -0.3, 1},
      {"both whiskers", 0.0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RobotProgram p;
    p.advanced = true;
    // Main step: both -> Set1 (backward), left -> Set2 (rotate left), right -> Set3 (rotate right).
    p.main = {{ActionKind::Forward, 40, 1, 2, 3}};
    p.sets[1] = {{ActionKind::Backward, 5}};
    p.sets[2] = {{ActionKind::RotateLeft, 10}};
    p.sets[3] = {{ActionKind::RotateRight, 10}};
    RobotWorld world;
    world.body().infraredRange = 0;
    world.Place({170, 75, c.heading});
    const Observed o = Drive(p, world, 12'000'000);
    ASSERT_GE(o.firstContact, 0);
    const double turned = Turned(o.atContact.heading, o.afterContact.heading);
    if (c.expectTurn == 0) {
      EXPECT_NEAR(turned, 0.0, 0.05);
      EXPECT_LT(o.afterContact.x, o.atContact.x - 1.0);
    } else {
      EXPECT_GT(turned * c.expectTurn, 0.1);
    }
  }
}

TEST(VmRobotProgram, CalibrationMakesMismatchedServosRotateInPlace) {
  // Servos that stand still at 740 (left) and 760 (right) instead of 750.
  struct Case {
    uint8_t leftCentre, rightCentre;
    bool inPlace;
  } cases[] = {{100, 100, false}, {90, 110, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.leftCentre) << "/" << int(c.rightCentre));
    RobotProgram p;
    p.leftCentre = c.leftCentre;
    p.rightCentre = c.rightCentre;
    p.main = {{ActionKind::RotateLeft, 40}, {ActionKind::Forward, 10}};
    RobotWorld world;
    world.body().leftStopWidth = 740;
    world.body().rightStopWidth = 760;
    world.Place({100, 75, 0});
    RobotProgram rotateOnly = p;
    rotateOnly.main.pop_back();
    const Observed rotated = Drive(rotateOnly, world);
    if (c.inPlace)
      EXPECT_LT(Distance(rotated.start, rotated.end), 1.0);
    else
      EXPECT_GT(Distance(rotated.start, rotated.end), 4.0);  // an arc instead of a turn on the spot
    // Mounted mirrored, both servos' offsets push the same way when driving forward, and at
    // full speed both saturate: forward stays straight with or without calibration.
    RobotWorld straight;
    straight.body().leftStopWidth = 740;
    straight.body().rightStopWidth = 760;
    straight.Place({40, 75, 0});
    RobotProgram forward = p;
    forward.main = {{ActionKind::Forward, 10}};
    const Observed o = Drive(forward, straight);
    EXPECT_NEAR(Turned(o.start.heading, o.end.heading), 0.0, 0.02);
  }
}

}  // namespace
