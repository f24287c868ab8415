// The databases of the open documents, as the document cycle sees them.
#pragma once

namespace sim::detail {

// Destroys the database of a document that has closed (nothing when it never had one).
void forgetDocumentDatabase(int documentId);

} // namespace sim::detail
