#!/bin/busybox sh
# /init of the test machine: loads the floppy driver, runs the scenario named on the kernel command line
# (orva.scenario=NAME) and powers off. Every line the host checks starts with "RESULT".
/bin/busybox --install -s /bin
export PATH=/bin
mkdir -p /proc /sys /dev /tmp
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev

digest() { # NAME FILE
  if [ -f "$2" ]; then echo "RESULT digest $1 $(sha256sum "$2" | cut -d' ' -f1)"; else echo "RESULT digest $1 missing"; fi
}

orva() { # LABEL ARGS...: runs orva with nobody at the terminal; its exit status and every line it printed
  label="$1"
  shift
  /orva "$@" </dev/null >/tmp/orva.out 2>/tmp/orva.err
  echo "RESULT orva $label exit=$?"
  sed "s|^|RESULT orva $label out |" /tmp/orva.out
  sed "s|^|RESULT orva $label err |" /tmp/orva.err
}

usb_disks() { # COUNT: loads the USB stack and waits for COUNT disks to come up (at most 20 s)
  for m in $(cat /modules/order); do
    [ "$m" = floppy ] || insmod "/modules/$m.ko" || echo "RESULT insmod $m failed"
  done
  i=0
  while [ "$(ls /sys/block | grep -c '^sd')" -lt "$1" ] && [ $i -lt 100 ]; do sleep 0.2; i=$((i + 1)); done
}

if insmod /modules/floppy.ko; then
  scenario=$(sed -n 's/.*orva\.scenario=\([a-z0-9]*\).*/\1/p' /proc/cmdline)
  echo "RESULT scenario $scenario"
  case "$scenario" in
    rw)
      /probe list
      /probe read a: /tmp/a.img
      digest read_a /tmp/a.img
      /probe write a: /data/pattern2.img
      /probe format b: 2 /data/fs144.img
      ;;
    protect)
      /probe media a:
      /probe write a: /data/pattern2.img
      /probe write a: /data/pattern2.img blind
      /probe format a: 2 /data/fs144.img
      # orva on the protected medium and, before one goes in, on the empty drive.
      orva "write a:" write /data/pattern2.img a: --yes
      orva "format a:" format a: --yes
      orva "read b:" read b: /tmp/empty.img
      [ -e /tmp/empty.img ] && echo "RESULT orva read b: left /tmp/empty.img behind"
      /probe media b:
      /probe read b: /tmp/b.img
      /probe wait b: 120
      /probe read b: /tmp/b.img
      digest read_b /tmp/b.img
      ;;
    types)
      # Nothing has read these media yet: the geometry query alone must find them.
      /probe geometry a:
      /probe geometry b:
      /probe media a:
      /probe media b:
      /probe read a: /tmp/a.img
      digest read_a /tmp/a.img
      /probe read b: /tmp/b.img
      digest read_b /tmp/b.img
      # The 5.25-inch drive's medium formatted to a type named on the command line.
      orva "format b:" format b: --yes --type 1.2M
      ;;
    wide)
      /probe media a:
      /probe format a: 3 /data/fs144.img
      /probe read a: /tmp/a.img
      digest read_a /tmp/a.img
      /probe format b: 5 /data/fs720.img
      ;;
    usb)
      # USB disks come up a moment after their driver: wait for all three.
      usb_disks 3
      for d in /sys/block/sd*; do
        if [ "$(cat "$d/ro")" = 1 ]; then ro=/dev/${d##*/}
        elif [ "$(cat "$d/size")" = 0 ]; then empty=/dev/${d##*/}
        else rw=/dev/${d##*/}; fi
      done
      /probe list
      export ORVA_PROBE_USB="$rw $ro $empty"
      echo "RESULT usb disks rw=$rw ro=$ro empty=$empty"
      /probe media u:
      /probe read u: /tmp/u.img
      digest read_u /tmp/u.img
      /probe write u: /data/pattern2.img
      /probe media v:
      /probe write v: /data/pattern2.img
      /probe media w:
      ;;
    mirask)
      # orva's drive commands over the floppy driver, then Mirask's read and write over a USB disk (orva lists
      # only drives the system announces as floppies, which QEMU's USB disks are not).
      orva drives drives
      orva "read a:" read a: /tmp/read_a.img
      digest orva_read_a /tmp/read_a.img
      orva "write a:" write /data/pattern2.img a: --yes
      orva "format b:" format b: --yes --label "ORVA E2E"
      usb_disks 1
      ORVA_PROBE_USB="$(ls /dev/sd* | head -1)" /conv read u: /tmp/read_u.img
      digest conv_read_u /tmp/read_u.img
      ORVA_PROBE_USB="$(ls /dev/sd* | head -1)" /conv write /data/pattern3.img u: --answers yn
      ;;
    rescue)
      # A healthy floppy rescued through the real driver, the same read sector by sector through the
      # controller's raw commands, and both again on a write-protected medium.
      orva "rescue a:" rescue a: /tmp/rescue_a.img
      digest rescue_a /tmp/rescue_a.img
      /probe raw a: /tmp/raw_a.img
      digest raw_a /tmp/raw_a.img
      orva "rescue b:" rescue b: /tmp/rescue_b.img
      digest rescue_b /tmp/rescue_b.img
      /probe raw b: /tmp/raw_b.img
      digest raw_b /tmp/raw_b.img
      ;;
    reformat)
      # A write formatted first, and a 720 KB floppy in a 1.44 MB drive formatted to its own type.
      orva "write a:" write /data/pattern2.img a: --yes --format
      orva "format b:" format b: --yes
      ;;
    *) echo "RESULT unknown scenario '$scenario'" ;;
  esac
else
  echo "RESULT insmod failed"
fi
echo "RESULT end"
sync
poweroff -f
