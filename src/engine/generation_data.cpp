#include "engine/generation_data.h"

namespace engine {

void PutGenerationDataInPlace() {}

}  // namespace engine
