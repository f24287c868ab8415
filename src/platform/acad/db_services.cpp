// The host's application services: one database per open document, the working one following the
// current document.
#include "platform/acad/dbapserv.h"

#include <map>
#include <memory>

#include "platform/acad/dbmain.h"
#include "platform/acad/internal/document_databases.h"
#include "platform/acad/internal/host_state.h"
#include "platform/acad/sim_database.h"
#include "platform/internal/session.h"

namespace {

using namespace sim::detail;

// The databases of the session's documents, by document id.
struct DocumentDatabases {
  std::map<int, std::unique_ptr<AcDbDatabase>> byDocument;
};

// Lets the databases of closed documents go, so that a database lives no longer than its
// document (the document cycle knows nothing of databases).
DocumentDatabases& databases() {
  HostState& state = host(); // first, so that a reset's old documents go before their databases
  DocumentDatabases& held = session<DocumentDatabases>();
  std::erase_if(held.byDocument,
                [&](const auto& entry) { return findDocument(state, entry.first) == nullptr; });
  return held;
}

} // namespace

namespace sim::detail {

void forgetDocumentDatabase(int documentId) {
  session<DocumentDatabases>().byDocument.erase(documentId);
}

} // namespace sim::detail

AcDbDatabase* AcDbHostApplicationServices::workingDatabase() const {
  DocumentDatabases& held = databases();
  const int current = host().currentDocument;
  if (current == 0) {
    return nullptr;
  }
  std::unique_ptr<AcDbDatabase>& database = held.byDocument[current];
  if (database == nullptr) {
    // The document's database is made as the document is first worked in: nothing of it can be
    // seen before then.
    database = std::make_unique<AcDbDatabase>();
  }
  return database.get();
}

AcDbHostApplicationServices* acdbHostApplicationServices() {
  static AcDbHostApplicationServices services;
  return &services;
}

namespace sim {

int64_t openObjects() {
  databases();
  int64_t open = 0;
  for (const AcDbDatabase* database : AcDbDatabase::liveDatabases()) {
    open += database->openObjectCount();
  }
  return open;
}

} // namespace sim
