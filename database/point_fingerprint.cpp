#include "database/point_fingerprint.h"

#include <string>

#include "database/note_codec.h"

namespace userdb {
namespace {

// The bytes of a record the driver's fields write: position, speed, direction and type.
constexpr std::size_t kEditableRecordBytes = 13;

// FNV-1a: an accidental match between two lists' points is what matters, not an adversary.
class Fnv1a {
 public:
  void Add(std::uint8_t byte) { hash_ = (hash_ ^ byte) * 0x100000001b3u; }
  Fingerprint Value() const { return hash_; }

 private:
  Fingerprint hash_ = 0xcbf29ce484222325u;
};

}  // namespace

Fingerprint FingerprintOf(const UserDatabase& database, std::size_t record) {
  Fnv1a hash;
  const auto bytes = database.Record(record);
  for (std::size_t k = 0; k < kEditableRecordBytes; ++k) hash.Add(bytes[k]);
  hash.Add(0xFF);  // between the record and the note, so that no shift of bytes matches
  for (const char c : NoteText(database.Note(record))) hash.Add(static_cast<std::uint8_t>(c));
  return hash.Value();
}

}  // namespace userdb
