/* slow-fs: a read-only pass-through file system that waits before every
 * folder listing and every name lookup, as a network share makes each
 * round trip wait. bench/run --share walks the benchmark tree through it.
 *
 *   slow-fs SOURCE MOUNTPOINT LISTING_US LOOKUP_US [fuse options]
 *
 * Nothing is cached by the kernel, so every run pays every wait. */

#define FUSE_USE_VERSION 35
#include <dirent.h>
#include <errno.h>
#include <fuse.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static const char *source;
static useconds_t listing_wait, lookup_wait;

static void real_path(char *out, const char *path) { snprintf(out, PATH_MAX, "%s%s", source, path); }

static void *slow_init(struct fuse_conn_info *conn, struct fuse_config *config) {
    (void)conn;
    config->entry_timeout = 0;
    config->attr_timeout = 0;
    config->negative_timeout = 0;
    return NULL;
}

static int slow_getattr(const char *path, struct stat *st, struct fuse_file_info *fi) {
    (void)fi;
    char real[PATH_MAX];
    usleep(lookup_wait);
    real_path(real, path);
    return lstat(real, st) == 0 ? 0 : -errno;
}

static int slow_readlink(const char *path, char *buffer, size_t size) {
    char real[PATH_MAX];
    real_path(real, path);
    const ssize_t n = readlink(real, buffer, size - 1);
    if (n < 0) return -errno;
    buffer[n] = '\0';
    return 0;
}

static int slow_opendir(const char *path, struct fuse_file_info *fi) {
    char real[PATH_MAX];
    real_path(real, path);
    DIR *dir = opendir(real);
    if (dir == NULL) return -errno;
    fi->fh = (uintptr_t)dir;
    return 0;
}

static int slow_readdir(const char *path, void *buffer, fuse_fill_dir_t fill, off_t offset,
                        struct fuse_file_info *fi, enum fuse_readdir_flags flags) {
    (void)path, (void)offset, (void)flags;
    DIR *dir = (DIR *)(uintptr_t)fi->fh;
    usleep(listing_wait);
    rewinddir(dir);
    for (struct dirent *d; (d = readdir(dir)) != NULL;) {
        struct stat st = {0};
        st.st_ino = d->d_ino;
        st.st_mode = (mode_t)DTTOIF(d->d_type);
        if (fill(buffer, d->d_name, &st, 0, 0) != 0) break;
    }
    return 0;
}

static int slow_releasedir(const char *path, struct fuse_file_info *fi) {
    (void)path;
    closedir((DIR *)(uintptr_t)fi->fh);
    return 0;
}

static const struct fuse_operations operations = {
    .init = slow_init,
    .getattr = slow_getattr,
    .readlink = slow_readlink,
    .opendir = slow_opendir,
    .readdir = slow_readdir,
    .releasedir = slow_releasedir,
};

int main(int argc, char **argv) {
    if (argc < 5) {
        fprintf(stderr, "usage: slow-fs SOURCE MOUNTPOINT LISTING_US LOOKUP_US [fuse options]\n");
        return 2;
    }
    source = realpath(argv[1], NULL);
    if (source == NULL) {
        perror(argv[1]);
        return 1;
    }
    listing_wait = (useconds_t)atol(argv[3]);
    lookup_wait = (useconds_t)atol(argv[4]);
    char *fuse_argv[16] = {argv[0], argv[2], "-o", "ro,default_permissions"};
    int fuse_argc = 4;
    for (int i = 5; i < argc && fuse_argc < 15; ++i) fuse_argv[fuse_argc++] = argv[i];
    return fuse_main(fuse_argc, fuse_argv, &operations, NULL);
}
