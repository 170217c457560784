// Another program holding an archive: opens the file, takes SQLite's exclusive lock with a
// change under way, says "pronto" on stdout and keeps it all until its stdin is closed.
#include <sqlite3.h>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) return 1;
  if (sqlite3_exec(db, "BEGIN EXCLUSIVE; UPDATE EstrazioniLotto SET Ba = '';", nullptr, nullptr,
                   nullptr) != SQLITE_OK)
    return 1;
  std::cout << "pronto" << std::endl;
  std::string ignored;
  while (std::getline(std::cin, ignored)) {
  }
  sqlite3_close(db);  // rolls the change back
  return 0;
}
