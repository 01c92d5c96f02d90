#pragma once

#include <QString>

// Input/output failures made by the operating system itself, for tests of the failure paths: a
// folder that cannot be written, a disk that is full, a read that fails, a file another program
// holds. Each lasts while its object lives. They work on Linux for any user: a test run as root
// gives up its right to ignore permissions meanwhile. Windows has its own ways for some (a range
// lock, a handle without sharing); where it has none, isActive() is false and whyInactive() says so.

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
    // Why the system has no such fault (Windows ignores a folder's read-only attribute); empty where it has.
    static QString whyInactive();

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
    static QString whyInactive();
    // The error number a write that finds no room fails with.
    int errorNumber() const;
    // "a full file system" or "a file size limit": how the disk was made full.
    QString kind() const;

private:
    QString m_folder;
    bool m_active = false;
    bool m_mounted = false;
};

// While it lives, file (created when missing) opens as a regular file and then fails at its first
// read. Linux: /proc/self/mem is bound over it (EIO, 5) where the system lets this process mount;
// Windows: the whole file is locked by another handle (ERROR_LOCK_VIOLATION, 33). The file keeps
// its place in its folder, so readers find it under its own name.
class FailingRead
{
public:
    explicit FailingRead(const QString &file);
    ~FailingRead();
    FailingRead(const FailingRead &) = delete;
    FailingRead &operator=(const FailingRead &) = delete;

    bool isActive() const { return m_active; }
    // Why this system cannot make a read fail so (Wine does not keep locked ranges from being
    // read); empty where it can.
    static QString whyInactive();
    // The operating system's number of the failing read.
    static int errorNumber();

private:
    QString m_file;
    bool m_active = false;
    void *m_handle = nullptr;
};

// While it lives, file cannot be read: Linux: its permissions are write-only (see PermissionsEnforced);
// Windows: another handle holds it open without sharing it.
class UnreadableFile
{
public:
    explicit UnreadableFile(const QString &file);
    ~UnreadableFile();
    UnreadableFile(const UnreadableFile &) = delete;
    UnreadableFile &operator=(const UnreadableFile &) = delete;

    bool isActive() const { return m_active; }

private:
    QString m_file;
    PermissionsEnforced m_enforced;
    bool m_active = false;
    void *m_handle = nullptr;
};
