#include "platform/desktop/print_loop.h"

#include <algorithm>

bool PrintCopies(Graphics& g, int copies, int pageCount, const std::function<void(Graphics& g, int page)>& renderPage) {
  const int pages = std::max(1, pageCount);
  for (int copy = 1; copy <= copies; ++copy) {
    for (int page = 1; page <= pages; ++page) {
      renderPage(g, page);
      const bool last = page == pages && copy == copies;
      if (!last && !g.NextPage()) return false;
    }
  }
  return true;
}
