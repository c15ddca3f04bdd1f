#pragma once

#include <cstddef>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "files/ProductMaster.h"
#include "model/Result.h"

// What reading the product master found, for the window to tell.
struct MasterRead {
    Result failure;                // why the list could not be read (naming it)
    std::vector<Result> problems;  // rows that could not be (wholly) used
    std::size_t products = 0;
};

// The product master as the window keeps it: the list chosen, and the
// products read from it. Reading begins as soon as a list is set, on a
// thread of its own, so that a large master never holds up the window; the
// first use waits only for what is left of it.
class ProductMasterSlot {
  public:
    ProductMasterSlot() = default;
    ~ProductMasterSlot();
    ProductMasterSlot(const ProductMasterSlot&) = delete;
    ProductMasterSlot& operator=(const ProductMasterSlot&) = delete;

    // The list at `path` becomes the master (empty: none) and its reading begins.
    void setPath(std::string path);
    const std::string& path() const { return path_; }

    // The master, or nullptr when none is set or it could not be read. The
    // first call after setPath() also hands out what the reading found in
    // `read` (left alone on later calls).
    const ProductMaster* master(std::optional<MasterRead>& read);

  private:
    struct Loaded {
        ProductMaster master;
        MasterRead read;
    };
    std::string path_;
    std::future<std::shared_ptr<Loaded>> loading_;
    std::shared_ptr<Loaded> loaded_;
};
