#!/usr/bin/perl
# A delay line between ssh and sshd, used as ssh's ProxyCommand: every chunk
# that arrives on either side is passed on DELAY_MS milliseconds later, so
# each direction gets a fixed latency, as on a network, without limiting how
# much is in flight (a relay that slept before each write would add its
# delay once per chunk and throttle the traffic instead).
#
# usage: delay_relay.pl HOST PORT DELAY_MS
use strict;
use warnings;
use IO::Socket::INET;
use IO::Select;
use Socket qw(IPPROTO_TCP TCP_NODELAY);
use Time::HiRes qw(time);

my ($host, $port, $delay_ms) = @ARGV;
die "usage: delay_relay.pl HOST PORT DELAY_MS\n" unless defined $delay_ms;
my $delay = $delay_ms / 1000.0;

my $sock = IO::Socket::INET->new(PeerAddr => $host, PeerPort => $port, Proto => 'tcp')
    or die "delay_relay: cannot connect to $host:$port: $!\n";
$sock->setsockopt(IPPROTO_TCP, TCP_NODELAY, 1);
binmode STDIN;
binmode STDOUT;
binmode $sock;

# Per direction: where it reads, where it writes, the chunks waiting with
# the time they are due, and whether its reading side has ended.
my @ways = (
    { in => \*STDIN, out => $sock,    queue => [], ended => 0, name => 'up' },
    { in => $sock,   out => \*STDOUT, queue => [], ended => 0, name => 'down' },
);

sub write_all {
    my ($fh, $data) = @_;
    my $off = 0;
    while ($off < length $data) {
        my $n = syswrite($fh, $data, length($data) - $off, $off);
        return 0 unless defined $n;
        $off += $n;
    }
    return 1;
}

while (1) {
    my $now = time;
    my $next;
    for my $way (@ways) {
        while (@{ $way->{queue} } && $way->{queue}[0][0] <= $now) {
            my $chunk = shift @{ $way->{queue} };
            exit 0 unless write_all($way->{out}, $chunk->[1]);
        }
        if (@{ $way->{queue} }) {
            my $due = $way->{queue}[0][0];
            $next = $due if !defined $next || $due < $next;
        } elsif ($way->{ended} == 1) {
            # Everything read was passed on: pass the end on too.
            if ($way->{out} == $sock) { shutdown($sock, 1); } else { close STDOUT; }
            $way->{ended} = 2;
        }
    }
    last if $ways[0]{ended} == 2 && $ways[1]{ended} == 2;

    my $select = IO::Select->new();
    $select->add($_->{in}) for grep { !$_->{ended} } @ways;
    my $timeout = defined $next ? $next - time : undef;
    $timeout = 0 if defined $timeout && $timeout < 0;
    last if !$select->count && !defined $next;
    my @ready;
    if ($select->count) {
        @ready = $select->can_read($timeout);
    } else {
        select(undef, undef, undef, $timeout);
    }
    for my $fh (@ready) {
        for my $way (@ways) {
            next unless $way->{in} == $fh;
            my $n = sysread($fh, my $data, 65536);
            if (!$n) {
                $way->{ended} = 1;
            } else {
                push @{ $way->{queue} }, [time + $delay, $data];
            }
        }
    }
}
