#pragma once
// Windows and helpers that are made the first time they are needed, so that the program's
// start only pays for the intro and main windows. Both read like the pointers they replace.

#include <functional>
#include <memory>

namespace ui {

// Owns an object made by its maker on first use.
template <class T>
class OnDemand {
 public:
  using Maker = std::function<std::unique_ptr<T>()>;

  void SetMaker(Maker maker) { maker_ = std::move(maker); }
  // The object, made now when it does not exist yet; null without a maker.
  T* get() {
    if (object_ == nullptr && maker_) object_ = maker_();
    return object_.get();
  }
  T* operator->() { return get(); }
  T& operator*() { return *get(); }
  bool Made() const { return object_ != nullptr; }
  void reset() { object_.reset(); }

 private:
  Maker maker_;
  std::unique_ptr<T> object_;
};

// Reaches an object that someone else owns and makes on first use.
template <class T>
class OnDemandRef {
 public:
  OnDemandRef() = default;
  OnDemandRef(std::nullptr_t) {}
  OnDemandRef(T* object) : fetch_([object] { return object; }) {}
  OnDemandRef(std::function<T*()> fetch) : fetch_(std::move(fetch)) {}

  T* get() const { return fetch_ ? fetch_() : nullptr; }
  T* operator->() const { return get(); }
  explicit operator bool() const { return get() != nullptr; }

 private:
  std::function<T*()> fetch_;
};

}  // namespace ui
