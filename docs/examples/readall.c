/* Reads every value from a camera and prints it, one "index<TAB>name<TAB>value"
 * line each; a second argument traces the traffic to that file.
 *   cc readall.c $(pkg-config --cflags --libs zqcamera) -o readall
 *   ./readall /dev/ttyUSB0 [trace.txt]
 */
#include <stdio.h>
#include <zqcamera.h>

int main(int argc, char **argv)
{
    zq_camera *camera = NULL;
    int status, i;

    if (argc < 2) {
        fprintf(stderr, "usage: readall DEVICE [TRACE]\n");
        return 1;
    }
    if (zq_open_device(argv[1], 9600, &camera) < 0) {
        fprintf(stderr, "readall: %s\n", zq_last_error_text());
        return 2;
    }
    if (argc > 2 && zq_trace(camera, argv[2]) < 0) {
        fprintf(stderr, "readall: %s\n", zq_error_text(camera));
        zq_close(camera);
        return 2;
    }
    status = zq_read_all(camera);
    if (status < 0) {
        fprintf(stderr, "readall: %s (code %d)\n", zq_error_text(camera), -status);
        zq_close(camera);
        return 2;
    }
    for (i = 0; i < zq_param_count(); ++i) {
        zq_param param;
        int32_t value;
        zq_param_info(i, &param);
        if (!(param.flags & ZQ_PARAM_READ))
            continue;
        zq_stored(camera, i, &value);
        printf("%d\t%s\t%ld\n", i, param.code_name[0] ? param.code_name : param.name, (long)value);
    }
    zq_close(camera);
    return 0;
}
