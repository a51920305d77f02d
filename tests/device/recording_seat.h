#pragma once
// Remembers everything a device conversation told its seat, in order, so that a test can check
// what the link said on the way beside the typed result it returned.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "device/device_seat.h"

namespace userdb {

class RecordingSeat final : public DeviceSeat {
 public:
  void PortNotOpened(const PortFailure& failure) override {
    failures.push_back(failure);
    events.emplace_back("port not opened");
  }
  void WaitingForLink(int portNumber) override {
    waits.push_back(portNumber);
    events.emplace_back("waiting for link");
  }
  void HandshakeRetry(int attempt, int tries) override {
    retries.emplace_back(attempt, tries);
    events.emplace_back("handshake retry");
  }
  void NoUpdateMode() override {
    ++noUpdateMode;
    events.emplace_back("no update mode");
  }
  void HandshakeSucceeded() override {
    ++handshakes;
    events.emplace_back("handshake succeeded");
  }
  void Receiving() override {
    if (events.empty() || events.back() != "receiving") events.emplace_back("receiving");
  }
  void ChunkSent(std::size_t chunk) override { chunks.push_back(chunk); }

  std::vector<std::string> events;  // in order; chunks and repeated receiving left out
  std::vector<PortFailure> failures;
  std::vector<int> waits;
  std::vector<std::pair<int, int>> retries;
  std::vector<std::size_t> chunks;
  int noUpdateMode = 0;
  int handshakes = 0;
};

}  // namespace userdb
