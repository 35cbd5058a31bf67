#include "base/growable_list.h"

#include <cstring>
#include <new>

namespace zrv::growable_list_detail {

void* regrow(void* storage, std::size_t used, std::size_t room) {
  auto* grown = static_cast<unsigned char*>(::operator new(room));
  if (used != 0) std::memcpy(grown, storage, used);
  std::memset(grown + used, 0, room - used);
  ::operator delete(storage);
  return grown;
}

void release(void* storage) { ::operator delete(storage); }

}  // namespace zrv::growable_list_detail
