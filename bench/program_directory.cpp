#include "program_directory.h"

namespace bench {

ProgramDirectory::ProgramDirectory(const std::filesystem::path& database) {
    std::filesystem::copy_file(database, this->database());
}

} // namespace bench
