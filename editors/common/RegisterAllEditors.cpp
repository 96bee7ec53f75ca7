// One line per editor family: the view class that opens for its kind.
#include "editors/common/EditorRegistry.h"

namespace trv::editors {

void registerAllEditors()
{
}

} // namespace trv::editors
