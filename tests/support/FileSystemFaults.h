#pragma once

#include <QString>

// Input/output failures made by the operating system itself, for tests of the failure paths: a
// folder that cannot be written, a disk that is full. Each lasts while its object lives. They work
// on Linux for any user: a test run as root gives up its right to ignore permissions meanwhile.

// While it lives, file permissions apply to this test's thread even when it runs as root.
class PermissionsEnforced
{
public:
    PermissionsEnforced();
    ~PermissionsEnforced();
    PermissionsEnforced(const PermissionsEnforced &) = delete;
    PermissionsEnforced &operator=(const PermissionsEnforced &) = delete;

private:
    bool m_dropped = false;
};

// While it lives, nothing can be created, replaced or removed in folder (its permissions are read
// and execute only); its files can still be read.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    // False when the folder could not be made read-only; the test should then fail.
    bool isActive() const { return m_active; }

private:
    QString m_folder;
    PermissionsEnforced m_enforced;
    bool m_active = false;
};

// While it lives, folder has no room left: where the system lets this process mount, folder is a
// small file system of its own, filled up (writes fail with ENOSPC); elsewhere no file written by
// this process may grow (writes fail with EFBIG). Files placed in folder before are kept (copied into
// the small file system).
class FullDisk
{
public:
    explicit FullDisk(const QString &folder);
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    bool isActive() const { return m_active; }
    // The error number a write that finds no room fails with.
    int errorNumber() const;
    // "a full file system" or "a file size limit": how the disk was made full.
    QString kind() const;

private:
    QString m_folder;
    bool m_active = false;
    bool m_mounted = false;
};

// While it lives, file (created empty when missing) opens as a regular file and then fails with EIO
// (5) at its first read: where the system lets this process mount, /proc/self/mem is bound over
// it. The file keeps its place in its folder, so readers find it under its own name.
class FailingRead
{
public:
    explicit FailingRead(const QString &file);
    ~FailingRead();
    FailingRead(const FailingRead &) = delete;
    FailingRead &operator=(const FailingRead &) = delete;

    bool isActive() const { return m_active; }

private:
    QString m_file;
    bool m_active = false;
};
