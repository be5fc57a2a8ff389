#pragma once

#include "app/app.h"
#include "printing/print_jobs.h"

#include <string>

namespace printing {

enum class KitchenSend {
    Sent,       // tickets went to the printers
    NothingNew, // nothing changed since the last send, or no printer takes these dishes
    Unreadable,
};

// Sends what changed in the order since its last send to the printers of its dishes'
// categories: on the first send a kitchen ticket, later an 加菜 ticket for what was added and a
// 退菜 ticket for what was taken back. What was sent is remembered once every printer has its
// ticket; after a failure the next send sends it all again, so that no kitchen misses a dish.
KitchenSend sendToKitchen(app::App& app, Printing& printing, const std::string& number,
                          ui::Window& owner);

} // namespace printing
