/* A C caller of the installed library: opens an image and prints its media type and free space. */
#include <orva.h>
#include <stdio.h>

int main(int argc, char **argv) {
    DiskGeometry geometry;
    uint32_t freeBytes = 0;
    int32_t result;

    if (argc != 2) {
        fprintf(stderr, "usage: free_space IMAGE\n");
        return 2;
    }
    result = OpenFDImg(argv[1], 1);
    if (result != 0) {
        fprintf(stderr, "OpenFDImg: %d\n", (int)result);
        return 1;
    }
    result = GetFDType(&geometry, NULL, 0);
    if (result == 0) result = FreeSpace(&freeBytes);
    CloseFDImg();
    if (result != 0) {
        fprintf(stderr, "GetFDType or FreeSpace: %d\n", (int)result);
        return 1;
    }
    printf("media %d, %u cylinders, free %lu bytes\n", (int)geometry.mediaType, (unsigned)geometry.cylinders,
           (unsigned long)freeBytes);
    return 0;
}
