#pragma once

#include "model/EditorDocument.h"

namespace wendrake::fuzz {

// Stops the run unless `reopened` holds the records of `saved` for their kind
// and the same vehicle list. The handling table of a save is in the order of
// the vehicle list, so that is the order compared.
void expectSameRecords(const EditorDocument& saved, const EditorDocument& reopened);

}  // namespace wendrake::fuzz
