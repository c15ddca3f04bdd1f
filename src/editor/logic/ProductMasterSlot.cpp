#include "editor/logic/ProductMasterSlot.h"

#include <utility>

ProductMasterSlot::~ProductMasterSlot() {
    if (loading_.valid())
        loading_.wait();
}

void ProductMasterSlot::setPath(std::string path) {
    if (loading_.valid())
        loading_.wait();  // a reading under way finishes before the next begins
    loading_ = {};
    loaded_.reset();
    path_ = std::move(path);
    if (path_.empty())
        return;
    loading_ = std::async(std::launch::async, [path = path_] {
        auto loaded = std::make_shared<Loaded>();
        loaded->read.failure = loadProductMaster(path, loaded->master, loaded->read.problems);
        loaded->read.products = loaded->master.size();
        return loaded;
    });
}

const ProductMaster* ProductMasterSlot::master(std::optional<MasterRead>& read) {
    if (loading_.valid()) {
        loaded_ = loading_.get();
        read = loaded_->read;
    }
    if (!loaded_ || !loaded_->read.failure.ok())
        return nullptr;
    return &loaded_->master;
}
