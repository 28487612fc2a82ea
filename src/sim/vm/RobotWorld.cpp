#include "sim/vm/RobotWorld.h"

#include <algorithm>
#include <cmath>

namespace sim::vm {

namespace {
constexpr int64_t kMotionStepUs = 1'000;
constexpr int64_t kTrailStepUs = 20'000;
constexpr size_t kTrailLimit = 20'000;  // about 7 minutes of driving; older points fade out
}  // namespace

RobotWorld::RobotWorld(double width, double height, BodyConfig body) : width_(width), height_(height), body_(body) {
  Place({width / 2, height / 2, 0});
}

void RobotWorld::Place(Pose pose) {
  pose_ = pose;
  trail_.clear();
  trail_.push_back(pose_);
  lastTrailUs_ = timeUs_;
}

bool RobotWorld::Blocked(double x, double y) const {
  if (x < 0 || y < 0 || x > width_ || y > height_) return true;
  return std::any_of(obstacles_.begin(), obstacles_.end(), [&](const Obstacle& o) { return o.Contains(x, y); });
}

bool RobotWorld::Touches(double side) const {
  const double c = std::cos(pose_.heading), s = std::sin(pose_.heading);
  const double ahead = body_.whiskerReach, across = side * body_.whiskerSpread;
  return Blocked(pose_.x + ahead * c - across * s, pose_.y + ahead * s + across * c);
}

bool RobotWorld::leftWhiskerTouches() const { return Touches(1); }
bool RobotWorld::rightWhiskerTouches() const { return Touches(-1); }

bool RobotWorld::InfraredSees(double sideAngle) const {
  const double direction = pose_.heading + sideAngle;
  const double fx = pose_.x + body_.bodyRadius * std::cos(pose_.heading);
  const double fy = pose_.y + body_.bodyRadius * std::sin(pose_.heading);
  for (double d = 1; d <= body_.infraredRange; d += 1)
    if (Blocked(fx + d * std::cos(direction), fy + d * std::sin(direction))) return true;
  return false;
}

bool RobotWorld::leftInfraredSees() const { return InfraredSees(body_.infraredAngle); }
bool RobotWorld::rightInfraredSees() const { return InfraredSees(-body_.infraredAngle); }

void RobotWorld::AdvanceTo(int64_t us) {
  while (timeUs_ < us) {
    const int64_t step = std::min(kMotionStepUs, us - timeUs_);
    const int64_t t = timeUs_ + step;
    for (Servo* servo : {&left_, &right_})
      if (servo->lastPulse < 0 || t - servo->lastPulse > body_.pulseTimeoutUs) servo->speed = servo->target = 0;
    leftSpeed_ = left_.speed;
    rightSpeed_ = right_.speed;
    const double dt = step / 1e6;
    const double vl = leftSpeed_ * body_.fullSpeed, vr = rightSpeed_ * body_.fullSpeed;
    if (vl != 0 || vr != 0) {
      movingUs_ += step;
      const double v = (vl + vr) / 2, w = (vr - vl) / body_.wheelBase;
      const double heading = pose_.heading + w * dt / 2;
      const double nx = pose_.x + v * std::cos(heading) * dt, ny = pose_.y + v * std::sin(heading) * dt;
      bool free = !Blocked(nx, ny);
      for (int k = 0; k < 12 && free; ++k) {
        const double a = k * M_PI / 6;
        free = !Blocked(nx + body_.bodyRadius * std::cos(a), ny + body_.bodyRadius * std::sin(a));
      }
      if (free) {  // against a wall the wheels slip and the robot only turns
        pose_.x = nx;
        pose_.y = ny;
      }
      pose_.heading = std::remainder(pose_.heading + w * dt, 2 * M_PI);
    }
    timeUs_ = t;
    if (timeUs_ - lastTrailUs_ >= kTrailStepUs) {
      lastTrailUs_ = timeUs_;
      if (trail_.empty() || trail_.back().x != pose_.x || trail_.back().y != pose_.y) trail_.push_back(pose_);
      if (trail_.size() > kTrailLimit) trail_.erase(trail_.begin(), trail_.begin() + kTrailLimit / 4);
    }
  }
}

void RobotWorld::ServoPulse(Servo& servo, int stopWidth, int64_t widthUs, bool mirrored, int64_t us) {
  double fraction = std::clamp((widthUs / 2.0 - stopWidth) / 100.0, -1.0, 1.0);
  if (mirrored) fraction = -fraction;
  servo.target = fraction;
  const double ramp = 1.0 / std::max(1, body_.rampPulses);
  servo.speed += std::clamp(fraction - servo.speed, -ramp, ramp);
  servo.lastPulse = us;
}

uint16_t RobotWorld::Inputs(int64_t us) {
  AdvanceTo(us);
  uint16_t pins = 0xFFFF;
  auto clear = [&pins](int pin) { pins = static_cast<uint16_t>(pins & ~(1u << pin)); };
  if (leftWhiskerTouches()) clear(kLeftWhiskerPin);
  if (rightWhiskerTouches()) clear(kRightWhiskerPin);
  if (leftToneHeard_ && us >= leftToneEnd_ && us - leftToneEnd_ <= body_.detectorHoldUs && leftInfraredSees())
    clear(kLeftIrDetectorPin);
  if (rightToneHeard_ && us >= rightToneEnd_ && us - rightToneEnd_ <= body_.detectorHoldUs && rightInfraredSees())
    clear(kRightIrDetectorPin);
  return pins;
}

void RobotWorld::Pulse(int64_t us, int pin, int64_t widthUs) {
  AdvanceTo(us);
  if (onPulse) onPulse(us, pin, widthUs);
  if (pin == kLeftServoPin) {
    ServoPulse(left_, body_.leftStopWidth, widthUs, false, us);
    ++leftPulses_;
  } else if (pin == kRightServoPin) {
    ServoPulse(right_, body_.rightStopWidth, widthUs, true, us);
    ++rightPulses_;
  }
}

void RobotWorld::Tone(int64_t us, int pin, int64_t durationUs, int freq1, int freq2) {
  AdvanceTo(us);
  auto heard = [this](int f) { return f >= body_.minFrequency && f <= body_.maxFrequency; };
  if (pin == kLeftIrLedPin) {
    leftToneEnd_ = us + durationUs;
    leftToneHeard_ = heard(freq1) || heard(freq2);
  } else if (pin == kRightIrLedPin) {
    rightToneEnd_ = us + durationUs;
    rightToneHeard_ = heard(freq1) || heard(freq2);
  }
}

void RobotWorld::SerialOut(int64_t us, int pin, uint8_t byte) {
  AdvanceTo(us);
  if (pin == kProgrammingPort && onSerialOut) onSerialOut(us, byte);
}

int RobotWorld::SerialIn(int64_t us, int pin, int64_t deadlineUs, int64_t& arrivalUs) {
  AdvanceTo(us);
  if (pin == kProgrammingPort && onSerialIn) return onSerialIn(us, deadlineUs, arrivalUs);
  return deadlineUs >= 0 ? kTimeout : kNoMoreInput;
}

}  // namespace sim::vm
