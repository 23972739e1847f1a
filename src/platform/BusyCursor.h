#pragma once
// Shows the wait pointer for the lifetime of the object, when there is a
// graphical application; restores the pointer that was there before.
namespace velmora {

class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor &) = delete;
  BusyCursor &operator=(const BusyCursor &) = delete;

 private:
  bool active_ = false;
};

}  // namespace velmora
