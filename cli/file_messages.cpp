#include "cli/file_messages.h"

namespace userdb::cli {

void PrintComplaints(std::ostream& errors, const files::Complaints& complaints) {
  for (const std::string& complaint : complaints) errors << "userdb: " << complaint << '\n';
}

void TellChanges(std::ostream& errors, const files::Changes& changes, bool explain) {
  if (changes.empty()) return;
  if (!explain) {
    errors << "userdb: " << changes.size() << (changes.size() == 1 ? " change" : " changes")
           << " on the way, to fit the formats (--explain lists them)\n";
    return;
  }
  for (const std::string& change : changes) errors << "userdb: " << change << '\n';
}

}  // namespace userdb::cli
