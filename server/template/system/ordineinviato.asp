<!--#include virtual="comune.inc"-->
<%
// The confirmation after an order was sent: its number, and what happens
// next. It stores and sends nothing, so a reload changes nothing.
var paginaCorrente = "/ordineinviato.asp";
var titoloPagina = T("PMTORDINEINVIATO", "Ordine inviato");
var numeroOrdine = String(Session("NumOrd") === undefined ? "" : Session("NumOrd"));
// A card order is confirmed by the bank alone: until it pays, the page
// offers the payment again instead of a confirmation.
var inSospeso = false;
if (numeroOrdine !== "") {
    var ordine = Server.CreateObject("QTR50.Ordine");
    ordine.SetConn(generale.Conn);
    inSospeso = ordine.PagamentoInSospeso();
    ordine.Free();
}
%>
<!--#include virtual="testa.inc"-->
<section class="sezione ordine-inviato">
  <h1><%= H(T("PMTORDINEINVIATO", "Ordine inviato")) %></h1>
<% if (numeroOrdine === "") { %>
  <p class="avviso" id="nessun-ordine"><%= H(T("MSGNESSUNORDINE", "Non hai inviato ordini in questa visita.")) %></p>
<% } else if (inSospeso) { %>
  <p class="messaggio errore" role="alert" id="pagamento-in-sospeso"><%= H(T("MSGPAGAMENTOINSOSPESO", "Il tuo ordine numero")) %> <strong id="numero-ordine"><%= H(numeroOrdine) %></strong> <%= H(T("MSGATTENDEPAGAMENTO", "è registrato e attende il pagamento con carta.")) %></p>
  <form method="post" action="/ripetipagamento.asp" id="ripeti-pagamento">
    <p><button class="bottone" type="submit" id="paga-ora"><%= H(T("PMTRIPETIPAGAMENTO", "Riprova il pagamento")) %></button></p>
  </form>
<% } else { %>
  <p class="messaggio ok" role="status" id="ordine-confermato"><%= H(T("MSGORDINERICEVUTO", "Grazie! Abbiamo ricevuto il tuo ordine numero")) %> <strong id="numero-ordine"><%= H(numeroOrdine) %></strong>.</p>
  <p><%= H(T("MSGCONFERMAEMAIL", "Ti abbiamo inviato una conferma per e-mail.")) %></p>
<% } %>
  <p><a class="bottone" href="/default.asp"><%= H(T("PMTPAGINAHOME", "Home")) %></a></p>
</section>
<!--#include virtual="piede.inc"-->
