#pragma once
// The device registry as SetupAPI tells it on this machine.

#include "platform/win32/device_registry.h"

namespace userdb::win32 {

class SetupApiRegistry final : public DeviceRegistry {
 public:
  std::vector<RegisteredPort> Ports() const override;
};

}  // namespace userdb::win32
