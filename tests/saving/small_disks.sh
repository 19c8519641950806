#!/bin/sh
# The small disks of the save tests, where the machine lets this user mount
# them (root, with the right to mount):
#   DIR/full       a 64 KiB tmpfs, which a test fills to its last byte;
#   DIR/readonly   a tmpfs mounted read-only that holds earlier.bin.
# DIR/mounted names the ones that are there. "small_disks.sh unmount DIR"
# takes them away again. It never fails: where nothing can be mounted the
# tests take other roads, or say why they cannot.
set -u
action=$1
dir=$2

unmount() {
  for disk in full readonly; do
    if mountpoint -q "$dir/$disk" 2>/dev/null; then
      umount "$dir/$disk" 2>/dev/null || umount -l "$dir/$disk" 2>/dev/null
    fi
  done
  rm -f "$dir/mounted"
}

case $action in
  mount)
    unmount
    mkdir -p "$dir/full" "$dir/readonly"
    : >"$dir/mounted"
    if mount -t tmpfs -o size=64k,mode=0777 brivane-full "$dir/full" 2>/dev/null; then
      echo full >>"$dir/mounted"
    fi
    if mount -t tmpfs -o size=64k,mode=0777 brivane-readonly "$dir/readonly" 2>/dev/null; then
      printf 'earlier\n' >"$dir/readonly/earlier.bin"
      if mount -o remount,ro "$dir/readonly" 2>/dev/null; then
        echo readonly >>"$dir/mounted"
      else
        umount "$dir/readonly" 2>/dev/null
      fi
    fi
    ;;
  unmount)
    unmount
    ;;
esac
exit 0
