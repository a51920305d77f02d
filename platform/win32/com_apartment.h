#pragma once
// COM on this thread while the object lives: the system's file dialogs and the accessible
// objects that screen readers ask for need a single-threaded apartment.

#include <objbase.h>

namespace userdb::win32 {

class ComApartment {
 public:
  ComApartment() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (joined_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool joined_;
};

}  // namespace userdb::win32
