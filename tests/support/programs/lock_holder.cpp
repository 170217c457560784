// Another program holding an archive: opens the file, takes SQLite's exclusive lock with a
// change under way, says "pronto" and keeps it all until nobody reads its output any more.
#include <signal.h>
#include <sqlite3.h>
#include <unistd.h>

#include <iostream>

int main(int argc, char** argv) {
  sqlite3* db = nullptr;
  if (argc != 2 || sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
      sqlite3_exec(db, "BEGIN EXCLUSIVE; UPDATE EstrazioniLotto SET Ba = '';", nullptr, nullptr,
                   nullptr) != SQLITE_OK)
    return 1;
  signal(SIGPIPE, SIG_IGN);
  std::cout << "pronto" << std::endl;
  while (std::cout << '\n' << std::flush) usleep(20000);
  sqlite3_close(db);  // rolls the change back
  return 0;
}
