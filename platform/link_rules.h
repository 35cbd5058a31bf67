// What each operation on a held directory does when it finds a link (a
// symbolic link or junction: any reparse point) where it was pointed: it
// refuses it (kErrorLinkRefused), or it takes the link as itself. None ever
// follows one. Both backends read this one table, so the headless backend
// the tests run on keeps the rules the Windows one keeps.
#pragma once

namespace zrv {

struct LinkRules {
  bool hold;         // FileSystem::hold_directory, RemovalServices::hold_to_empty
  bool read;         // HeldDirectory::open_file
  bool move;         // the file HeldDirectory::replace and EmptiedDirectory::move_into move
  bool remove_file;  // EmptiedDirectory::remove_file: a link stays where it is
};

// Where a link is not refused, it goes as itself: delete_file, write_file
// and the name replace() moves over; create_file and create_directory find
// the name taken.
inline constexpr LinkRules kRefusesLink{.hold = true, .read = true, .move = true, .remove_file = true};

}  // namespace zrv
