#pragma once

#include <string>

// A failing disk for the tests. The program linked with this file has its
// open, write, sync and rename calls replaced (SQLite's too): while a fault
// is armed, every such call on a file whose path holds the fault's name
// fails with its error, as a full, broken or read-only disk makes it fail.
namespace teb::test::failing_disk {

enum class Call {
    Open,   // an open for writing or creating
    Write,  // write, pwrite
    Sync,   // fsync, fdatasync
    Rename, // rename, renameat (either name)
};

struct Fault {
    std::string name; // a part of the path: "TagEncoderBench.journal" takes in its -wal and -shm
    Call call;
    int error;        // ENOSPC, EIO, EROFS
};

void arm(const Fault &fault);
void disarm(); // the disk is back
// The calls the armed fault has failed since it was armed.
int failedCalls();

std::string callName(Call call);

} // namespace teb::test::failing_disk
