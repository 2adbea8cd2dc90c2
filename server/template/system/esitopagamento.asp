<!--#include virtual="comune.inc"-->
<%
// The page the bank sends the shopper back to. The answer is checked
// against the order it names, whatever this Session holds: a genuine one
// records the authorisation; the Session that placed the order then mails
// its customer, once, and shows the confirmation. A refused or unknown
// answer records nothing, and the shopper may try again.
var ordine = Server.CreateObject("QTR50.Ordine");
ordine.SetConn(generale.Conn);
var pagato = ordine.ControlloEsitoValidazione();
var ordinePagato = String(ordine.OrdinePagato);
var numeroOrdine = String(Session("NumOrd") === undefined ? "" : Session("NumOrd"));
if (pagato && ordine.PagamentoDaNotificare)
    ordine.NotificaCliente();
if (pagato && ordinePagato === numeroOrdine) {
    ordine.Free();
    Response.Redirect("/ordineinviato.asp");
}
var daPagare = !pagato && numeroOrdine !== "" && String(ordine.TipoPagamento) === "CartaCredito"
    && !ordine.PagamentoCartaEseguito();
var paginaCorrente = "/esitopagamento.asp";
var titoloPagina = T("PMTPAGAMENTO", "Pagamento");
%>
<!--#include virtual="testa.inc"-->
<section class="sezione esito-pagamento">
  <h1><%= H(T("PMTPAGAMENTO", "Pagamento")) %></h1>
<% if (pagato) { %>
  <p class="messaggio ok" role="status" id="pagamento-registrato"><%= H(T("MSGPAGAMENTOREGISTRATO", "Pagamento registrato per l'ordine")) %> <strong id="numero-ordine"><%= H(ordinePagato) %></strong>.</p>
<% } else { %>
  <p class="messaggio errore" role="alert" id="pagamento-rifiutato"><%= H(T("ERRPAGAMENTO", "Il pagamento non è andato a buon fine.")) %><% if (daPagare) { %> <%= H(T("PMTDATIORDINE", "Ordine")) %> <%= H(numeroOrdine) %><% } %></p>
<% } %>
<% if (daPagare) { %>
  <form method="post" action="/ripetipagamento.asp">
    <p><button class="bottone" type="submit" id="ripeti-pagamento"><%= H(T("PMTRIPETIPAGAMENTO", "Riprova il pagamento")) %></button></p>
  </form>
<% } %>
  <p><a class="togli" href="/default.asp"><%= H(T("PMTPAGINAHOME", "Home")) %></a></p>
</section>
<!--#include virtual="piede.inc"-->
<% ordine.Free(); %>
