#include "platform/win32/com_objects.h"

namespace zrv::win32 {

void release(IUnknown* object) {
  if (object) object->Release();
}

}  // namespace zrv::win32
