#pragma once
// The virtual robot's body and the arena it drives in, seen by the interpreter as its pins.
//
// Body: two continuous-rotation servos, right on pin 12 and left on pin 13, mounted mirrored
// (the left wheel turns forward for pulses above its stop width, the right wheel for pulses
// below). A servo runs at full speed 100 units (200 us) away from its stop width, linearly in
// between, reaches a new speed over a few pulses and stops when pulses stop. Whiskers on pins 5
// (left) and 7 (right) read 0 while they touch something; infrared LEDs on pins 8 (left) and 2
// (right) light a detector on pins 9 (left) and 0 (right), which reads 0 for a short time after
// a burst near 38 kHz when an obstacle lies within range in front of that side.
//
// World: a rectangle with walls, and movable rectangular obstacles. Lengths in centimetres,
// angles in radians (0 = +x, counter-clockwise), times in simulated microseconds.

#include <cstdint>
#include <functional>
#include <vector>

#include "sim/vm/Machine.h"

namespace sim::vm {

struct Obstacle {
  double x = 0, y = 0, width = 0, height = 0;  // lower-left corner and size
  bool Contains(double px, double py) const {
    return px >= x && px <= x + width && py >= y && py <= y + height;
  }
};

struct BodyConfig {
  int leftStopWidth = 750;   // pulse units of 2 us at which the servo stands still
  int rightStopWidth = 750;
  double fullSpeed = 16.0;   // cm/s of a wheel at full speed
  double wheelBase = 10.5;   // cm between the wheels
  double bodyRadius = 6.5;   // cm
  int rampPulses = 3;        // pulses from standing to full speed
  int64_t pulseTimeoutUs = 50'000;  // a servo without a pulse for this long stops
  double whiskerReach = 9.0;        // cm ahead of the wheel axis
  double whiskerSpread = 4.0;       // cm to each side
  double infraredRange = 25.0;      // cm
  double infraredAngle = 0.45;      // radians to each side of straight ahead
  int64_t detectorHoldUs = 2'000;   // a detector reads 0 this long after the burst ends
  int minFrequency = 30'000, maxFrequency = 46'000;  // what the detectors answer to
};

struct Pose {
  double x = 0, y = 0, heading = 0;
};

// Pins of the wiring.
inline constexpr int kRightServoPin = 12, kLeftServoPin = 13;
inline constexpr int kLeftWhiskerPin = 5, kRightWhiskerPin = 7;
inline constexpr int kLeftIrLedPin = 8, kLeftIrDetectorPin = 9, kRightIrLedPin = 2, kRightIrDetectorPin = 0;

class RobotWorld : public Io {
 public:
  RobotWorld(double width = 200, double height = 150, BodyConfig body = {});

  // --- the arena ---
  double width() const { return width_; }
  double height() const { return height_; }
  std::vector<Obstacle>& obstacles() { return obstacles_; }
  const std::vector<Obstacle>& obstacles() const { return obstacles_; }
  bool Blocked(double x, double y) const;  // outside the walls or inside an obstacle

  // --- the robot ---
  const BodyConfig& body() const { return body_; }
  BodyConfig& body() { return body_; }
  const Pose& pose() const { return pose_; }
  void Place(Pose pose);
  // Wheel speeds as fractions of full speed, forward positive.
  double leftSpeed() const { return leftSpeed_; }
  double rightSpeed() const { return rightSpeed_; }
  bool leftWhiskerTouches() const;
  bool rightWhiskerTouches() const;
  bool leftInfraredSees() const;
  bool rightInfraredSees() const;
  // Whether an LED burst lit a detector within the last `us` microseconds (for drawing).
  bool leftBeamLit(int64_t us) const { return us - leftToneEnd_ < 100'000; }
  bool rightBeamLit(int64_t us) const { return us - rightToneEnd_ < 100'000; }
  int64_t time() const { return timeUs_; }
  const std::vector<Pose>& trail() const { return trail_; }
  // Time in which either wheel turned.
  int64_t movingUs() const { return movingUs_; }
  int pulseCount(int pin) const { return pin == kLeftServoPin ? leftPulses_ : pin == kRightServoPin ? rightPulses_ : 0; }

  // Moves the world on to `us` (never backward).
  void AdvanceTo(int64_t us);

  // --- the module's pins ---
  uint16_t Inputs(int64_t us) override;
  void Pulse(int64_t us, int pin, int64_t widthUs) override;
  void Tone(int64_t us, int pin, int64_t durationUs, int freq1, int freq2) override;
  void SerialOut(int64_t us, int pin, uint8_t byte) override;
  int SerialIn(int64_t us, int pin, int64_t deadlineUs, int64_t& arrivalUs) override;

  // Every pulse as it starts (pin, width), e.g. for a log or a drawing.
  std::function<void(int64_t us, int pin, int64_t widthUs)> onPulse;
  // The programming port (pin 16): where DEBUG bytes go and SERIN bytes come from.
  std::function<void(int64_t us, uint8_t byte)> onSerialOut;
  std::function<int(int64_t us, int64_t deadlineUs, int64_t& arrivalUs)> onSerialIn;

 private:
  struct Servo {
    double target = 0, speed = 0;
    int64_t lastPulse = -1;
  };
  void ServoPulse(Servo& servo, int stopWidth, int64_t widthUs, bool mirrored, int64_t us);
  bool InfraredSees(double sideAngle) const;
  bool Touches(double side) const;

  double width_, height_;
  BodyConfig body_;
  std::vector<Obstacle> obstacles_;
  Pose pose_;
  Servo left_, right_;
  double leftSpeed_ = 0, rightSpeed_ = 0;
  int64_t timeUs_ = 0;
  int64_t movingUs_ = 0;
  int64_t leftToneEnd_ = -1'000'000'000, rightToneEnd_ = -1'000'000'000;
  bool leftToneHeard_ = false, rightToneHeard_ = false;
  int leftPulses_ = 0, rightPulses_ = 0;
  std::vector<Pose> trail_;
  int64_t lastTrailUs_ = 0;
};

// The interpreter and the world together, on simulated time.
class VirtualRobotRun {
 public:
  VirtualRobotRun(const Image& image, RobotWorld& world) : world_(world), machine_(image, world) {}
  RunState RunFor(int64_t us) {
    const RunState state = machine_.RunUntil(machine_.now() + us);
    world_.AdvanceTo(machine_.now());
    return state;
  }
  // After the program has stopped the world goes on (the servos run down).
  void IdleUntil(int64_t us) { world_.AdvanceTo(us); }
  Machine& machine() { return machine_; }
  RobotWorld& world() { return world_; }

 private:
  RobotWorld& world_;
  Machine machine_;
};

}  // namespace sim::vm
