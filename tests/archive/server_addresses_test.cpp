#include "archive/server_addresses.h"

#include <gtest/gtest.h>

namespace quintello {
namespace {

struct AddressCase {
  const char* given;
  const char* expected;
};

TEST(ServerAddresses, UpdateFileKeepsSchemeAndHostOnly) {
  const AddressCase cases[] = {
      {"esempio.it", "http://esempio.it/archivioambrosa/archivioambrosa2023.txt"},
      {"  www.esempio.it  ", "http://www.esempio.it/archivioambrosa/archivioambrosa2023.txt"},
      {"https://www.esempio.it/pagina?x=1",
       "https://www.esempio.it/archivioambrosa/archivioambrosa2023.txt"},
      {"HTTP://127.0.0.1:8080", "http://127.0.0.1:8080/archivioambrosa/archivioambrosa2023.txt"},
      {"ftp://esempio.it", ""},
      {"file:///etc", ""},
      {"", ""},
      {"http://", ""},
      {"esempio .it", ""},
      {"user@esempio.it", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(updateFileAddress(c.given), c.expected) << c.given;
}

}  // namespace
}  // namespace quintello
